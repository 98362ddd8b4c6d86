#pragma once

#include "platform/device_context.h"

namespace veso::platform {

class headless_font final : public font {
public:
    explicit headless_font(font_description description) : description_(std::move(description)) {}
    const font_description& description() const override { return description_; }

private:
    font_description description_;
};

class headless_font_factory final : public font_factory {
public:
    std::unique_ptr<font> create_font(const font_description& description) override;
    int fonts_created() const { return created_; }

private:
    int created_ = 0;
};

} // namespace veso::platform
