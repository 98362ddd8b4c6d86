#include "platform/headless/memory_settings_store.h"

namespace veso::platform {

class memory_settings_key : public settings_key {
public:
    memory_settings_key(memory_settings_store& store, std::u16string path)
        : store_(store), path_(std::move(path)) {}

    value_type type_of(std::u16string_view name) const override {
        const auto found = store_.value_of(path_, name);
        if (!found) {
            return value_type::missing;
        }
        return std::holds_alternative<std::uint32_t>(*found) ? value_type::dword
                                                             : value_type::other;
    }

    std::optional<std::uint32_t> read_dword(std::u16string_view name) const override {
        const auto found = store_.value_of(path_, name);
        if (!found || !std::holds_alternative<std::uint32_t>(*found)) {
            return std::nullopt;
        }
        return std::get<std::uint32_t>(*found);
    }

    bool write_dword(std::u16string_view name, std::uint32_t value) override {
        std::lock_guard lock(store_.mutex_);
        store_.keys_[path_].insert_or_assign(std::u16string(name), value);
        ++store_.write_count_;
        return true;
    }

private:
    memory_settings_store& store_;
    std::u16string path_;
};

std::unique_ptr<settings_key> memory_settings_store::open_key(std::u16string_view path) {
    std::lock_guard lock(mutex_);
    if (!available_) {
        return nullptr;
    }
    keys_.try_emplace(std::u16string(path));
    return std::make_unique<memory_settings_key>(*this, std::u16string(path));
}

void memory_settings_store::write_text(std::u16string_view path, std::u16string_view name,
                                       std::u16string_view text) {
    std::lock_guard lock(mutex_);
    keys_[std::u16string(path)].insert_or_assign(std::u16string(name), std::u16string(text));
}

std::optional<memory_settings_store::value>
memory_settings_store::value_of(std::u16string_view path, std::u16string_view name) const {
    std::lock_guard lock(mutex_);
    const auto key = keys_.find(path);
    if (key == keys_.end()) {
        return std::nullopt;
    }
    const auto found = key->second.find(name);
    if (found == key->second.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool memory_settings_store::has_key(std::u16string_view path) const {
    std::lock_guard lock(mutex_);
    return keys_.find(path) != keys_.end();
}

int memory_settings_store::write_count() const {
    std::lock_guard lock(mutex_);
    return write_count_;
}

void memory_settings_store::set_available(bool available) {
    std::lock_guard lock(mutex_);
    available_ = available;
}

} // namespace veso::platform
