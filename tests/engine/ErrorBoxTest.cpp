// The "Error-Message" box of stub operations and its replaceable handler.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ErrorBox.h"

namespace {

[[noreturn]] void ThrowingErrorBox(const std::string& text)
{
    throw std::runtime_error(text);
}

TEST(ErrorBox, StubShowsItsOperationThroughTheHandler)
{
    const zTErrorBoxHandler previous = zSetErrorBoxHandler(&ThrowingErrorBox);
    try {
        zNotFound("zFILE_FILE::SetDrive");
        ADD_FAILURE() << "the stub returned";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "zFILE_FILE::SetDrive not found");
    }
    zSetErrorBoxHandler(previous);
}

TEST(ErrorBox, DefaultEndsTheProcessWithCodeOne)
{
    EXPECT_EXIT(zErrorBox("zSTRING::Clear not found"), ::testing::ExitedWithCode(1),
                "Error-Message: zSTRING::Clear not found");
}

} // namespace
