#include "resources/Placeholder.h"

#include "resources/Strings.h"

#include <gtest/gtest.h>

namespace zeb40::strings {
namespace {

TEST(Placeholder, EachKindTheTableUsesIsFilledOnce) {
    EXPECT_EQ(FillPlaceholder(ItemsAvailable, "59"), "59 items available");
    EXPECT_EQ(FillPlaceholder(SaveChangesIn, "/tmp/a %s b.zeb"),
              "Save changes in /tmp/a %s b.zeb?");
    EXPECT_EQ(FillPlaceholder(FlashError, "Flash erase failed (34)"),
              "Error while updating Flash ROM.  Please try again.\nFlash erase failed (34)");
    EXPECT_EQ(FillPlaceholder("%s and %s", "x"), "x and %s");
}

// A text without a placeholder (or with a lone "%") is shown as it is rather
// than ending the program.
TEST(Placeholder, ATextWithoutOneComesBackUnchanged) {
    EXPECT_EQ(FillPlaceholder(CommunicationError, "x"), CommunicationError);
    EXPECT_EQ(FillPlaceholder("100 %", "x"), "100 %");
    EXPECT_EQ(FillPlaceholder("%x %", "y"), "%x %");
    EXPECT_EQ(FillPlaceholder("", "y"), "");
}

} // namespace
} // namespace zeb40::strings
