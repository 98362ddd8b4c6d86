#include "fuzz_entry.h"
#include "lexicon/definition_markup.h"
#include "platform/headless/headless_device_context.h"
#include "platform/headless/headless_fonts.h"
#include "views/marked_text.h"
#include "views/view_fonts.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace {

// The words of a definition as a reader should see them: the source's name, then the text's
// words without marks, one space apart.
veso::wide_string expected_words(veso::wide_string_view text) {
    const std::size_t opening = text.find(u'[');
    const char16_t letter = veso::definition_source_letter(text);
    veso::wide_string words(veso::definition_source_name(letter));
    veso::wide_string_view rest = text.substr(opening + (letter != u'\0' ? 3 : 1));
    veso::wide_string word;
    const auto end_word = [&] {
        if (!word.empty()) {
            words += (words.empty() ? u"" : u" ") + word;
            word.clear();
        }
    };
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const veso::wide_string_view mark = rest.substr(i, 3);
        if (mark == u"<I>" || mark == u"<B>" || mark == u"<N>") {
            i += 2;
        } else if (rest[i] == u' ') {
            end_word();
        } else {
            word += rest[i];
        }
    }
    end_word();
    return words;
}

} // namespace

// The first byte gives the width of the area (and whether there is a continuation margin); the
// rest is the text, every other input read as single bytes so that marks are met often.
VESO_FUZZ_TARGET(fuzz_marked_text) {
    if (size == 0) {
        return 0;
    }
    const int right = 10 + data[0] / 2 * 4;
    const bool margin = data[0] % 2 == 1;
    veso::wide_string text;
    if (size > 1 && data[1] % 2 == 0) {
        text.assign(data + 2, data + size);
    } else {
        text = veso::fuzz::wide_text(data + 1, size - 1);
    }
    if (text.find(u'[') == veso::wide_string::npos) {
        return 0;
    }

    static veso::platform::headless_font_factory factory;
    static const veso::view_fonts fonts(factory, 25);
    veso::platform::headless_device_context dc;
    dc.set_clip_box({INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2});
    const int top = 7;
    const int y = veso::draw_marked_text(dc, text, {10, top, right, 0}, fonts.marked(),
                                         margin ? std::optional<int>(20) : std::nullopt);

    // Pieces follow each other without overlap, at most an italic step apart; each new line is
    // one pitch lower; no piece is empty, holds a mark or two spaces in a row.
    veso::wide_string shown;
    const auto& pieces = dc.texts();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto& piece = pieces[i];
        if (piece.text.empty() || piece.text.find(u"  ") != veso::wide_string::npos ||
            piece.text.find(u"<I>") != veso::wide_string::npos ||
            piece.text.find(u"<B>") != veso::wide_string::npos ||
            piece.text.find(u"<N>") != veso::wide_string::npos) {
            std::abort();
        }
        if (i > 0 && piece.y == pieces[i - 1].y) {
            const int gap = piece.x - (pieces[i - 1].x + pieces[i - 1].width);
            if (gap != 0 && gap != 5) {
                std::abort();
            }
        } else if (i > 0) {
            if (piece.y != pieces[i - 1].y + 24 || piece.x != (margin ? 20 : 10)) {
                std::abort();
            }
            shown += u' ';
        }
        shown += piece.text;
    }
    if (y != (pieces.empty() ? top : pieces.back().y)) {
        std::abort();
    }
    // Every word is shown, in order, one space apart.
    while (!shown.empty() && shown.front() == u' ') {
        shown.erase(0, 1);
    }
    if (shown != expected_words(text)) {
        std::abort();
    }
    return 0;
}
