#include "app/colour_modes.h"
#include "app/command_ids.h"

#include <gtest/gtest.h>

namespace veso {
namespace {

struct mode_case {
    int command;
    colour_mode_flags before;
    colour_mode_flags after;
};

class ColourModeToggling : public testing::TestWithParam<mode_case> {};

TEST_P(ColourModeToggling, FollowsTheTable) {
    auto flags = GetParam().before;
    ASSERT_TRUE(apply_colour_mode(GetParam().command, flags));
    EXPECT_EQ(flags.colour_by_class, GetParam().after.colour_by_class);
    EXPECT_EQ(flags.colour_by_case, GetParam().after.colour_by_case);
    EXPECT_EQ(flags.colour_off, GetParam().after.colour_off);
}

// {by_class, by_case, off}
INSTANTIATE_TEST_SUITE_P(
    Commands, ColourModeToggling,
    testing::Values(
        // From the start state (by case).
        mode_case{command::colour_by_class, {false, true, false}, {true, false, false}},
        mode_case{command::colour_by_case, {false, true, false}, {true, false, true}},
        mode_case{command::colour_off, {false, true, false}, {false, false, true}},
        // Choosing the mode that is on turns the other two on.
        mode_case{command::colour_by_class, {true, false, false}, {false, true, true}},
        mode_case{command::colour_off, {false, false, true}, {true, true, false}}));

TEST(ColourModes, ChoosingByClassTwiceLeavesByCaseAndOffChecked) {
    colour_mode_flags flags;
    apply_colour_mode(command::colour_by_class, flags);
    apply_colour_mode(command::colour_by_class, flags);
    EXPECT_FALSE(flags.colour_by_class);
    EXPECT_TRUE(flags.colour_by_case);
    EXPECT_TRUE(flags.colour_off);
    EXPECT_FALSE(colour_mode_checked(command::colour_by_class, flags));
    EXPECT_TRUE(colour_mode_checked(command::colour_by_case, flags));
    EXPECT_TRUE(colour_mode_checked(command::colour_off, flags));
}

TEST(ColourModes, OtherCommandsChangeNothing) {
    colour_mode_flags flags;
    EXPECT_FALSE(apply_colour_mode(command::select_colours, flags));
    EXPECT_FALSE(apply_colour_mode(command::page_forward, flags));
    EXPECT_FALSE(flags.colour_by_class);
    EXPECT_TRUE(flags.colour_by_case);
    EXPECT_FALSE(flags.colour_off);
    EXPECT_FALSE(colour_mode_checked(command::select_colours, flags));
}

} // namespace
} // namespace veso
