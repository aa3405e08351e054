#include "bench/learnsim/MemoryModels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Pavlik & Anderson's (2005) worked example of four practices with a = 0.177 and c = 0.217, as
// the ACT-R spacing-effect module reproduces it: each decay follows from the activation when its
// trace is laid.
TEST(ActivationHistoryTest, PublishedExample) {
    ActivationHistory history(0.177, 0.217);
    for (const double seconds : {0.0, 126.0, 252.0, 4844.0}) {
        history.Add(seconds);
    }
    const std::vector<double> decays = {0.177, 0.2692, 0.3176, 0.2625};
    ASSERT_EQ(history.Decays().size(), decays.size());
    for (std::size_t i = 0; i < decays.size(); ++i) {
        EXPECT_NEAR(history.Decays()[i], decays[i], 0.0001) << "trace " << i;
    }
    EXPECT_NEAR(history.Activation(5877), -0.6187, 0.0001);
}

} // namespace
