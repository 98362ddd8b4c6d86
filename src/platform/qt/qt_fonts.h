#pragma once

#include "platform/device_context.h"

#include <QFont>
#include <QStringList>

namespace veso::platform {

// The faces tried for every font, in order: the face asked for, then installed polytonic Greek
// faces, so that every Greek Extended character has a real glyph.
QStringList font_families_for(const std::u16string& face);

// A QFont for the description. The height is the cell height (ascent plus descent), as a logical
// font's positive height is, so 25 gives lines about 25 pixels high whatever the face.
QFont make_qfont(const font_description& description);

class qt_font : public font {
public:
    explicit qt_font(const font_description& description);
    const font_description& description() const override { return description_; }
    const QFont& qfont() const { return qfont_; }

private:
    font_description description_;
    QFont qfont_;
};

class qt_font_factory : public font_factory {
public:
    std::unique_ptr<font> create_font(const font_description& description) override;
};

} // namespace veso::platform
