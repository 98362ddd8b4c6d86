#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace veso::platform {

enum class value_type { missing, dword, other };

// One open key of the settings store; closing the key is destroying the object.
class settings_key {
public:
    virtual ~settings_key() = default;
    virtual value_type type_of(std::u16string_view name) const = 0;
    // Empty when the value is missing or is not a 32-bit number.
    virtual std::optional<std::uint32_t> read_dword(std::u16string_view name) const = 0;
    virtual bool write_dword(std::u16string_view name, std::uint32_t value) = 0;
};

// The registry's operations: keys are paths such as "SOFTWARE\q417\veso\Settings\Color",
// kept per user.
class settings_store {
public:
    virtual ~settings_store() = default;
    // Creates the key when missing. Null when the store cannot be opened.
    virtual std::unique_ptr<settings_key> open_key(std::u16string_view path) = 0;
};

} // namespace veso::platform
