#pragma once

#include "greek/betaconverter.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace veso::corpus {

// Builds a definition in the markup the views draw: it starts with "[", a source letter and "] ",
// Greek stands in Beta Code between "<G>" and "</G>", "<I>", "<B>" and "<N>" switch to italic,
// bold and normal type, every mark follows a space, and the text ends with a space, so that a
// drawer that starts at the "[" and draws only pieces ended by a space shows every word.
class definition_text {
public:
    enum class style : char { normal = 'N', italic = 'I', bold = 'B' };

    definition_text(char source_letter, const betaconverter& converter);

    // English text; runs of Unicode Greek inside it become Greek spans.
    void text(std::u16string_view plain);
    void text(std::string_view latin1);
    // A span of Beta Code in UTF-8 (vowel-length marks and under-dots are dropped; a dash or
    // other character that is no Greek letter stands outside the span).
    void greek_beta(std::string_view utf8);
    // A span of Unicode Greek.
    void greek_unicode(std::u16string_view greek);
    void set_style(style s);
    style current_style() const { return style_; }

    bool empty() const { return body_.size() <= prefix_length_; }
    // The finished definition, cut at the last sentence end before max_length when it is longer
    // (cut is set then).
    std::u16string finish(std::size_t max_length, bool& cut);

private:
    void append_plain(std::u16string_view plain);
    void append_span(std::u16string beta);
    void ensure_space();

    const betaconverter& converter_;
    std::u16string body_;
    std::size_t prefix_length_;
    style style_ = style::normal;
    bool after_greek_ = false;
    bool mark_just_written_ = false; // the body ends in a style mark
    style style_before_mark_ = style::normal;
    bool greek_before_mark_ = false;
};

// Cuts a definition longer than max_length - 1 characters at its last sentence end outside Greek
// spans (or its last space) after the first keep characters, leaving room for a closing space;
// returns whether it cut.
bool cut_definition(std::u16string& text, std::size_t max_length, std::size_t keep);

// Unicode Greek (any normalisation, tonos or oxia, with or without vowel-length marks) as the
// Beta Code the lexicon is keyed by: NFC, oxia, no macron or breve, apostrophes as "'".
std::u16string greek_to_beta(std::u16string_view greek, const betaconverter& converter);

// True for letters and marks of the Greek and Greek Extended blocks and combining accents.
bool is_greek_unit(char16_t c);
bool is_greek_letter(char16_t c);

} // namespace veso::corpus
