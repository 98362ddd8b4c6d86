#include "greek/wide_string.h"

#include <gtest/gtest.h>
#include <random>

namespace veso {
namespace {

// Every length up to a few blocks, every start and every place of the wanted unit (or none), with
// neighbours that differ from it in one bit or by a borrow, which a lane test could mistake.
TEST(find_unit, agrees_with_find_everywhere) {
    const wide_string neighbours = {u'<', u';', u'=', u'\u013C', u'\u003D', u'\uFFFF', u'\0'};
    std::mt19937 random(7);
    for (std::size_t length = 0; length <= 20; ++length) {
        for (int round = 0; round < 200; ++round) {
            wide_string text;
            for (std::size_t i = 0; i < length; ++i) {
                text += neighbours[random() % neighbours.size()];
            }
            for (std::size_t from = 0; from <= length + 1; ++from) {
                for (char16_t unit : {u'<', u'\0', u'\uFFFF'}) {
                    ASSERT_EQ(find_unit(text, unit, from), wide_string_view(text).find(unit, from))
                        << "length " << length << " from " << from;
                }
            }
        }
    }
}

} // namespace
} // namespace veso
