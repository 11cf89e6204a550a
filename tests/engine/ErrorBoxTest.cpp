// The "Error-Message" box of stub operations and its replaceable handler.
#include <gtest/gtest.h>

#include "ErrorBox.h"
#include "ErrorBoxCatcher.h"

namespace {

TEST(ErrorBox, StubShowsItsOperationThroughTheHandler)
{
    const ErrorBoxCatcher catcher;
    try {
        zNotFound("zFILE_FILE::SetDrive");
        ADD_FAILURE() << "the stub returned";
    } catch (const ErrorBoxShown& e) {
        EXPECT_STREQ(e.what(), "zFILE_FILE::SetDrive not found");
    }
}

TEST(ErrorBox, DefaultEndsTheProcessWithCodeOne)
{
    EXPECT_EXIT(zErrorBox("zSTRING::Clear not found"), ::testing::ExitedWithCode(1),
                "Error-Message: zSTRING::Clear not found");
}

} // namespace
