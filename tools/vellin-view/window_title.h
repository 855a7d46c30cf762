// The title of the viewer's window, which says what is shown.
#ifndef VELLIN_VIEW_WINDOW_TITLE_H
#define VELLIN_VIEW_WINDOW_TITLE_H

// Sets the title of the window that AllegroGL draws into.
void set_view_title(const char* title);

#endif
