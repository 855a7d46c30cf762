target_sources(vellin_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vegetation.cpp)
