#pragma once

#include "platform/settings_store.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <variant>

namespace veso::platform {

// A settings store held in memory: keys are paths, values 32-bit numbers or text. Tests put odd
// values in with write_text and make the whole store unavailable with set_available(false).
class memory_settings_store : public settings_store {
public:
    using value = std::variant<std::uint32_t, std::u16string>;

    std::unique_ptr<settings_key> open_key(std::u16string_view path) override;

    void write_text(std::u16string_view path, std::u16string_view name, std::u16string_view text);
    // The stored value, or nothing when the key or value is missing.
    std::optional<value> value_of(std::u16string_view path, std::u16string_view name) const;
    bool has_key(std::u16string_view path) const;
    // How many values have been written through keys since construction.
    int write_count() const;
    void set_available(bool available);

private:
    friend class memory_settings_key;
    using values = std::map<std::u16string, value, std::less<>>;

    mutable std::mutex mutex_;
    std::map<std::u16string, values, std::less<>> keys_;
    bool available_ = true;
    int write_count_ = 0;
};

} // namespace veso::platform
