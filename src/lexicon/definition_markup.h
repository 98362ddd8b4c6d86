#pragma once

#include "greek/wide_string.h"

#include <vector>

namespace veso {

// What a definition's text says besides its words. It opens with "[X] ", where the letter X names
// the dictionary it was taken from, and switches styles with the marks "<I>" (italic), "<B>" (bold)
// and "<N>" (normal) anywhere in the text; Greek spans are converted before it is shown.

// The name of the dictionary a source letter stands for; empty for a letter no dictionary has.
wide_string_view definition_source_name(char16_t letter);

// The source letter of a definition: X when its first "[" opens a tag "[X]", else 0.
char16_t definition_source_letter(wide_string_view definition);

enum class text_style { normal, italic, bold };

// A piece of a word in one style.
struct styled_run {
    wide_string_view text;
    text_style style;
    bool starts_italic; // a change to italic comes just before it
};

// The words of a definition from its first "[" on, after its tag (the whole text when it has no
// "["): runs of characters other than spaces, each in the style the marks before it set. Any
// number of spaces and marks may stand between two words; the reader sees one space.
class definition_words {
public:
    explicit definition_words(wide_string_view definition);

    // The next word's runs, and the style of the space before it (the style at the first space
    // after the word before). False when no word is left.
    bool next(std::vector<styled_run>& runs, text_style& space_style);

private:
    wide_string_view text_;
    std::size_t at_;
    text_style style_ = text_style::normal;
    text_style space_style_ = text_style::normal;
    bool italic_pending_ = false;
};

} // namespace veso
