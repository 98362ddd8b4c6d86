#include "platform/qt/kerning_width_model.h"

#include <utility>

namespace veso::platform {

namespace {

// Printable characters of the Latin, Greek and punctuation blocks the texts are written in.
// Combining marks, controls, surrogates and right-to-left scripts are shaped in ways a sum of
// pairs does not capture, so texts holding them are always measured whole.
bool summable(char16_t c) {
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c < 0x300) || (c >= 0x370 && c < 0x400) ||
           (c >= 0x1F00 && c < 0x2000) || (c >= 0x2010 && c < 0x2028) ||
           (c >= 0x2030 && c < 0x205F);
}

int to_pixels(std::int64_t fixed) {
    return static_cast<int>((fixed + 32) >> 6);
}

} // namespace

kerning_width_model::kerning_width_model(measure_function measure) : measure_(std::move(measure)) {}

int kerning_width_model::width(std::u16string_view text) {
    std::optional<std::int64_t> sum;
    if (state_ != state::refuted) {
        sum = sum_of_parts(text);
    }
    if (!sum) {
        return to_pixels(measure_(text));
    }
    // A single letter's sum is its own measured width.
    if (text.size() < 2) {
        return to_pixels(*sum);
    }
    const bool sampled = state_ == state::trusted && ++since_sample_ == sample_interval;
    if (sampled) {
        since_sample_ = 0;
    }
    return to_pixels(state_ == state::learning || sampled ? checked(text, *sum) : *sum);
}

std::int64_t kerning_width_model::checked(std::u16string_view text, std::int64_t sum) {
    const std::int64_t whole = measure_(text);
    if (whole != sum) {
        state_ = state::refuted;
    } else if (state_ == state::learning && ++agreements_ == agreements_needed) {
        state_ = state::trusted;
    }
    return whole;
}

std::optional<std::int64_t> kerning_width_model::sum_of_parts(std::u16string_view text) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!summable(text[i])) {
            return std::nullopt;
        }
        sum += single(text[i]);
        if (i > 0) {
            sum += kerning(text[i - 1], text[i]);
        }
    }
    return sum;
}

std::int64_t kerning_width_model::single(char16_t c) {
    if (const auto known = singles_.find(c); known != singles_.end()) {
        return known->second;
    }
    return singles_.emplace(c, measure_(std::u16string_view(&c, 1))).first->second;
}

std::int64_t kerning_width_model::kerning(char16_t first, char16_t second) {
    const std::uint32_t key = (std::uint32_t{first} << 16) | second;
    if (const auto known = kernings_.find(key); known != kernings_.end()) {
        return known->second;
    }
    if (kernings_.size() >= most_pairs) {
        kernings_.clear();
    }
    const char16_t pair[] = {first, second};
    const std::int64_t kern =
        measure_(std::u16string_view(pair, 2)) - single(first) - single(second);
    return kernings_.emplace(key, kern).first->second;
}

} // namespace veso::platform
