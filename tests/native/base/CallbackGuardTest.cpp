#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/CallbackGuard.h"

namespace {
// Collects reports for one test and puts the previous sink back.
struct Reports {
    std::vector<std::string> what;
    base::CallbackErrorSink previous = base::CallbackErrorSinkSlot();
    Reports() {
        base::SetCallbackErrorSink([this](const std::string& w) { what.push_back(w); });
    }
    ~Reports() { base::SetCallbackErrorSink(previous); }
};
}  // namespace

TEST(CallbackGuard, AnswersTheResultOrTheFallbackAndReportsAnythingThrown) {
    Reports reports;
    EXPECT_EQ(base::Guarded(-1, [] { return 7; }), 7);
    EXPECT_EQ(base::Guarded(-1, []() -> int { throw std::runtime_error("broken"); }), -1);
    EXPECT_EQ(base::Guarded(-1, []() -> int { throw 42; }), -1);
    struct Odd {};
    base::Guarded([] { throw Odd{}; });
    ASSERT_EQ(reports.what.size(), 3u);
    EXPECT_EQ(reports.what[0], "broken");
    EXPECT_FALSE(reports.what[1].empty());
    EXPECT_EQ(reports.what[1], reports.what[2]) << "whatever is not an exception reads the same";
}

TEST(CallbackGuard, SwallowedFailuresAreNotReportedAndAFailingSinkStopsThere) {
    Reports reports;
    bool ran = false;
    base::Guarded([&] {
        ran = true;
        throw std::runtime_error("painting");
    }, base::OnFailure::Swallow);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(reports.what.empty());

    base::SetCallbackErrorSink([](const std::string&) { throw std::runtime_error("the reporter broke"); });
    EXPECT_EQ(base::Guarded(false, []() -> bool { throw std::runtime_error("first"); }), false);
    base::SetCallbackErrorSink(nullptr);
    EXPECT_EQ(base::Guarded(5, []() -> int { throw std::runtime_error("nobody listens"); }), 5);
}
