#include "lexicon/definition_text.h"

#include "common/unicode_text.h"

#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>
#include <utility>

namespace veso::corpus {

bool is_greek_letter(char16_t c) {
    return (c >= 0x0386 && c <= 0x03FF && c != 0x0387) ||
           (c >= 0x1F00 && c <= 0x1FFF && c != 0x1FBD && c != 0x1FBF);
}

bool is_greek_unit(char16_t c) {
    return is_greek_letter(c) || (c >= 0x0300 && c <= 0x036F) || c == 0x0370 || c == 0x0371 ||
           c == 0x0374 || c == 0x0375;
}

namespace {

bool is_elision_mark(char16_t c) {
    return c == 0x2019 || c == 0x1FBD || c == 0x02BC || c == 0x1FBF || c == u'\'';
}

bool is_space(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0x00A0 || c == 0x2009 ||
           c == 0x2002 || c == 0x2003;
}

// Drops vowel-length marks and the under-dot, which the Beta Code tables do not hold.
std::u16string without_length_marks(std::u16string_view text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) {
        return std::u16string(text);
    }
    const icu::UnicodeString source(false, text.data(), static_cast<int32_t>(text.size()));
    const icu::UnicodeString decomposed = nfd->normalize(source, status);
    if (U_FAILURE(status)) {
        return std::u16string(text);
    }
    std::u16string out;
    out.reserve(static_cast<std::size_t>(decomposed.length()));
    for (int32_t i = 0; i < decomposed.length(); ++i) {
        const char16_t c = decomposed.charAt(i);
        if (c == 0x0304 || c == 0x0306 || c == 0x0323) {
            continue;
        }
        out += c;
    }
    return out;
}

// The Beta Code of a combining Greek mark, or 0.
char16_t beta_mark_of(char16_t c) {
    switch (c) {
    case 0x0300:
        return u'\\';
    case 0x0301:
        return u'/';
    case 0x0308:
        return u'+';
    case 0x0313:
        return u')';
    case 0x0314:
        return u'(';
    case 0x0342:
        return u'=';
    case 0x0345:
        return u'|';
    default:
        return 0;
    }
}

} // namespace

std::u16string greek_to_beta(std::u16string_view greek, const betaconverter& converter) {
    const std::u16string composed = normalise_greek(without_length_marks(greek));
    std::u16string beta = converter.to_betacode(composed);
    for (auto& c : beta) {
        if (is_elision_mark(c)) {
            c = u'\'';
        } else if (c == 0x03F2 || c == 0x03C2) {
            c = u's';
        } else if (c == 0x03F9) {
            c = u'S';
        } else if (c == 0x03DD || c == 0x03DC) {
            c = u'v';
        } else if (c == 0x0387 || c == 0x00B7) {
            c = u':';
        } else if (c == 0x0374 || c == 0x0375) {
            c = u'#';
        } else if (const auto mark = beta_mark_of(c)) {
            // Marks that no precomposed letter holds stay combining.
            c = mark;
        }
    }
    return beta;
}

definition_text::definition_text(char source_letter, const betaconverter& converter)
    : converter_(converter), body_{u'[',
                                   static_cast<char16_t>(static_cast<unsigned char>(source_letter)),
                                   u']', u' '},
      prefix_length_(body_.size()) {}

void definition_text::ensure_space() {
    if (!after_greek_ && body_.back() != u' ') {
        body_ += u' ';
    }
}

void definition_text::set_style(style s) {
    if (mark_just_written_) {
        // A mark that no text followed is replaced rather than followed by another one.
        body_.resize(body_.size() - 3);
        style_ = style_before_mark_;
        mark_just_written_ = false;
        after_greek_ = greek_before_mark_;
    }
    if (s == style_) {
        return;
    }
    ensure_space();
    style_before_mark_ = style_;
    greek_before_mark_ = after_greek_;
    mark_just_written_ = true;
    body_ += u'<';
    body_ += static_cast<char16_t>(static_cast<char>(s));
    body_ += u'>';
    style_ = s;
    after_greek_ = false;
}

void definition_text::append_plain(std::u16string_view plain) {
    for (const char16_t c : plain) {
        if (is_space(c)) {
            // A converted Greek span brings its own space; marks are already followed by text.
            if (!after_greek_ && body_.back() != u' ' && body_.back() != u'>') {
                body_ += u' ';
            }
            continue;
        }
        if (c < 0x20 || c == 0xFFFF || c == 0x1A) {
            continue;
        }
        if (c == u'<' || c == u'>') {
            // A source's angle brackets would read as marks.
            after_greek_ = false;
            mark_just_written_ = false;
            body_ += c == u'<' ? u'\u00AB' : u'\u00BB';
            continue;
        }
        if (c == 0x2014 || c == 0x2013) {
            // Dashes and curly quotes have ISO 8859-1 stand-ins; this keeps entries in d.dat.
            after_greek_ = false;
            mark_just_written_ = false;
            body_ += c == 0x2014 ? u"--" : u"-";
            continue;
        }
        if (c == 0x2018 || c == 0x2019 || c == 0x201C || c == 0x201D) {
            after_greek_ = false;
            mark_just_written_ = false;
            body_ += (c == 0x201C || c == 0x201D) ? u'"' : u'\'';
            continue;
        }
        const bool punctuation = c == u',' || c == u'.' || c == u';' || c == u':';
        if (punctuation && mark_just_written_ && greek_before_mark_) {
            // "<G>x</G><N>," becomes "<G>x,</G><N>": the comma stays with its word.
            body_.insert(body_.size() - 7, 1, c);
            continue;
        }
        if (punctuation && mark_just_written_ && body_.size() >= prefix_length_ + 4 &&
            body_[body_.size() - 4] == u' ') {
            // "word <N>," becomes "word, <N>": no lone comma after the style change.
            body_.insert(body_.size() - 4, 1, c);
            continue;
        }
        if (after_greek_ && punctuation) {
            // Keep trailing punctuation inside the span so it is not cut off by the span's space.
            body_.insert(body_.size() - 4, 1, c);
            continue;
        }
        after_greek_ = false;
        mark_just_written_ = false;
        body_ += c;
    }
}

void definition_text::append_span(std::u16string beta) {
    std::u16string clean;
    clean.reserve(beta.size());
    for (const char16_t c : beta) {
        if (c == u'_' || c == u'^' || c == u'<' || c == u'>' || c < 0x20) {
            continue;
        }
        if (is_space(c)) {
            if (!clean.empty() && clean.back() != u' ') {
                clean += u' ';
            }
            continue;
        }
        clean += c;
    }
    while (!clean.empty() && clean.back() == u' ') {
        clean.pop_back();
    }
    if (clean.empty()) {
        return;
    }
    if (!after_greek_ && body_.back() != u' ' && body_.back() != u'>') {
        // "word<G>" would glue the Greek to the word before it.
        const char16_t last = body_.back();
        if (last != u'(' && last != u'[' && last != u'-') {
            body_ += u' ';
        }
    }
    body_ += u"<G>";
    mark_just_written_ = false;
    body_ += clean;
    body_ += u"</G>";
    after_greek_ = true;
}

void definition_text::text(std::u16string_view plain) {
    std::size_t i = 0;
    std::size_t start = 0;
    while (i < plain.size()) {
        if (!is_greek_letter(plain[i])) {
            ++i;
            continue;
        }
        append_plain(plain.substr(start, i - start));
        std::size_t end = i;
        std::size_t j = i;
        while (j < plain.size()) {
            const char16_t c = plain[j];
            if (is_greek_unit(c)) {
                end = ++j;
                continue;
            }
            if (is_elision_mark(c) && j > i && is_greek_unit(plain[j - 1])) {
                end = ++j;
                continue;
            }
            if (c == u' ' || c == u'-') {
                std::size_t k = j;
                while (k < plain.size() && (plain[k] == u' ' || plain[k] == u'-')) {
                    ++k;
                }
                if (k < plain.size() && is_greek_letter(plain[k])) {
                    j = k;
                    continue;
                }
            }
            break;
        }
        append_span(greek_to_beta(plain.substr(i, end - i), converter_));
        i = end;
        start = end;
    }
    append_plain(plain.substr(start));
}

void definition_text::text(std::string_view latin1) {
    std::u16string wide;
    wide.reserve(latin1.size());
    for (const char c : latin1) {
        wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    append_plain(wide);
}

void definition_text::greek_beta(std::string_view utf8) {
    // A source's Beta Code may hold letters with an under-dot, dashes and Unicode Greek letters:
    // the dots go, Greek letters join the span as Beta Code, anything else ends it as plain text.
    const icu::UnicodeString wide = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    const std::u16string text =
        without_length_marks(std::u16string_view(wide.getBuffer(), wide.length()));
    std::u16string beta;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < 0x80) {
            beta += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] >= 0x80 && is_greek_unit(text[end])) {
            ++end;
        }
        if (end > i) {
            beta += greek_to_beta(std::u16string_view(text).substr(i, end - i), converter_);
            i = end;
            continue;
        }
        append_span(std::exchange(beta, {}));
        append_plain(std::u16string_view(text).substr(i, 1));
        ++i;
    }
    append_span(std::move(beta));
}

void definition_text::greek_unicode(std::u16string_view greek) {
    append_span(greek_to_beta(greek, converter_));
}

bool cut_definition(std::u16string& text, std::size_t max_length, std::size_t keep) {
    if (text.size() + 1 <= max_length) {
        return false;
    }
    // Cut at the last sentence end (or, failing that, the last space) outside Greek spans.
    const std::size_t room = max_length > 8 ? max_length - 8 : 0;
    std::size_t sentence_end = 0;
    std::size_t last_space = 0;
    bool in_span = false;
    for (std::size_t i = 0; i + 1 < text.size() && i < room; ++i) {
        if (text.compare(i, 3, u"<G>") == 0) {
            in_span = true;
        } else if (text.compare(i, 4, u"</G>") == 0) {
            in_span = false;
        }
        if (in_span) {
            continue;
        }
        if (text[i] == u' ') {
            last_space = i;
            if (i > 0 && text[i - 1] == u'.') {
                sentence_end = i;
            }
        }
    }
    const std::size_t at = sentence_end > keep ? sentence_end : last_space;
    text.resize(at > 0 ? at : std::min(room, text.size()));
    if (text.empty() || text.back() != u' ') {
        text += u' ';
    }
    return true;
}

std::u16string definition_text::finish(std::size_t max_length, bool& cut) {
    std::u16string out = body_;
    if (mark_just_written_) {
        // A style change that no text follows.
        out.resize(out.size() - 3);
    }
    cut = cut_definition(out, max_length, prefix_length_);
    if (!after_greek_ && out.back() != u' ') {
        out += u' ';
    }
    return out;
}

} // namespace veso::corpus
