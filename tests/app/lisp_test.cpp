// LISP calls from the host: a call is parsed, an unknown function is reported
// as the host reports it, and a function needs a name to be defined.
#include <gtest/gtest.h>

#include "aced.h"
#include "acedads.h"
#include "arxHeaders.h"
#include "arxhost/application.h"

namespace {

TEST(Lisp, CallsAreParsedAndUnknownFunctionsReported)
{
    arxhost::Application app;
    std::string error;
    ASSERT_NE(app.newDocument(error), nullptr) << error;
    std::wstring printed;
    EXPECT_FALSE(app.evaluateLisp(L"(nosuch 1 2)", printed, error));
    EXPECT_EQ(error, "no function definition: NOSUCH");
    EXPECT_FALSE(app.evaluateLisp(L"nosuch", printed, error));
    EXPECT_FALSE(app.evaluateLisp(L"(f \"unterminated)", printed, error));
    EXPECT_FALSE(app.evaluateLisp(L"(f", printed, error));
    EXPECT_EQ(acedDefun(L"", 1), RTERROR);
}

}  // namespace
