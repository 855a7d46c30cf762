// The stage file's lines around the layer: which line holds each row, and
// the file written back with the layer's rows in place and every other line
// as the player wrote it. Lines are told apart as the stage reader tells
// them: blank, '#' comment, or a row.
#include <string>

#include "editor/editor.h"
#include "editor/editor_local.h"

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";

std::size_t bom_size(const std::string& text) {
    return text.compare(0, 3, kBom) == 0 ? 3 : 0;
}

struct Line {
    std::size_t begin, content_end;  // the line without trailing blanks and its end
    const char* eol;                 // "\r\n", "\n", or "" for a last line without one
    std::size_t next;
    int number;  // from 1
    bool row;
};

// Calls visit(Line) for each line; returns how many lines there are.
template <typename Visit>
int for_each_line(const std::string& text, Visit visit) {
    std::size_t at = bom_size(text);
    int number = 0;
    while (at < text.size()) {
        const std::size_t nl = text.find('\n', at);
        const std::size_t end = nl == std::string::npos ? text.size() : nl;
        Line l{at, end, "", end == text.size() ? end : end + 1, ++number, false};
        if (nl != std::string::npos)
            l.eol = end > at && text[end - 1] == '\r' ? "\r\n" : "\n";
        while (l.content_end > at &&
               (text[l.content_end - 1] == ' ' || text[l.content_end - 1] == '\t' ||
                text[l.content_end - 1] == '\r'))
            --l.content_end;
        l.row = l.content_end > at && text[at] != '#';
        visit(l);
        at = l.next;
    }
    return number;
}

void put_row(const int codes[kMapColumns], std::string* out) {
    for (int c = 0; c < kMapColumns; ++c)
        out->push_back(static_cast<char>('0' + codes[c]));
}

}  // namespace

void find_row_lines(Editor* e) {
    int k = 0;
    const int count = for_each_line(e->text, [&](const Line& l) {
        if (l.row && k < kMapRows)
            e->lines[k++] = l.number;
    });
    for (int last = count; k < kMapRows; ++k)
        e->lines[k] = ++last;
}

std::string editor_stage_text(const Editor& e) {
    return layer_text(e.text, e.codes);
}

std::string layer_text(const std::string& in, const int codes[kMapRows][kMapColumns]) {
    std::string out(in, 0, bom_size(in));
    out.reserve(in.size() + kMapRows * (kMapColumns + 2));
    const char* eol = nullptr;  // the file's first line end, for rows added at its end
    int k = 0;
    for_each_line(in, [&](const Line& l) {
        if (eol == nullptr && l.eol[0] != '\0')
            eol = l.eol;
        if (!l.row) {
            out.append(in, l.begin, l.next - l.begin);
            return;
        }
        if (k < kMapRows) {
            put_row(codes[k], &out);
        } else {
            out += "# ";  // a row the game would refuse, kept for the player
            out.append(in, l.begin, l.content_end - l.begin);
        }
        ++k;
        out += l.eol;
    });
    if (eol == nullptr)
        eol = "\n";
    if (k < kMapRows && out.size() > bom_size(in) && out.back() != '\n')
        out += eol;
    for (; k < kMapRows; ++k) {
        put_row(codes[k], &out);
        out += eol;
    }
    return out;
}
