#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace veso::platform {

// Widths of texts added up from the shaped widths of their characters and the kerning of each
// pair of neighbours. Shaping a word costs microseconds, and reaching a page deep in a long section
// measures tens of thousands of distinct words; the sum costs nanoseconds once the pairs are known.
// It is exact for faces whose only positioning between letters is pair kerning, as the usual Greek
// text faces, and that is checked rather than assumed: texts are measured whole until enough of
// them have agreed with the sum, and one in a sample from then on. A single disagreement and the
// face is measured whole for good.
class kerning_width_model {
public:
    // A text's advance in 64ths of a pixel, the fixed-point unit Qt adds advances in.
    using measure_function = std::function<std::int64_t(std::u16string_view)>;

    static constexpr int agreements_needed = 512;
    static constexpr int sample_interval = 64;
    // Pairs held at most; past that they are forgotten and measured again as they come.
    static constexpr std::size_t most_pairs = 65536;

    explicit kerning_width_model(measure_function measure);

    // The text's advance in whole pixels, rounded as Qt rounds a fixed-point advance.
    int width(std::u16string_view text);
    bool trusted() const { return state_ == state::trusted; }
    bool refuted() const { return state_ == state::refuted; }

private:
    enum class state { learning, trusted, refuted };

    // The sum of the parts, or nothing for a text with characters the sum is not tried on.
    std::optional<std::int64_t> sum_of_parts(std::u16string_view text);
    std::int64_t single(char16_t c);
    std::int64_t kerning(char16_t first, char16_t second);
    // Measures the text whole and weighs the sum against it.
    std::int64_t checked(std::u16string_view text, std::int64_t sum);

    measure_function measure_;
    state state_ = state::learning;
    int agreements_ = 0;
    int since_sample_ = 0;
    std::unordered_map<char16_t, std::int64_t> singles_;
    std::unordered_map<std::uint32_t, std::int64_t> kernings_;
};

} // namespace veso::platform
