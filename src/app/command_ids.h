#pragma once

namespace veso::command {

// The main window's commands, numbered as the menu and accelerator resources number them.
constexpr int page_backward = 40038;
constexpr int page_forward = 40039;
constexpr int text_explorer = 40622;
constexpr int about = 40635;
constexpr int go_to = 40800;
constexpr int colour_off = 50100;
constexpr int colour_by_class = 50101;
constexpr int colour_by_case = 50102;
constexpr int select_colours = 50103;
constexpr int occurrences_of_lemma = 50200;
constexpr int occurrences_of_form = 50201;
constexpr int find_word = 50202;
constexpr int vocabulary = 50203;
constexpr int app_exit = 57665;
constexpr int file_new = 57600;
constexpr int file_open = 57601;

// The reader's comforts, beyond the resources' commands.
constexpr int resume_reading = 52001;
constexpr int copy = 52010;
constexpr int copy_word = 52011;
constexpr int look_up_word = 52012;
constexpr int open_in_dictionary = 52013;
constexpr int larger_text = 52020;
constexpr int smaller_text = 52021;
constexpr int normal_text_size = 52022;
constexpr int next_pane = 52030;
constexpr int previous_pane = 52031;
constexpr int keyboard_shortcuts = 52040;

} // namespace veso::command
