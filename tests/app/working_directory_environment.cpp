// The whole app test program runs in a temporary working directory, so that
// tests that save options or records never leave files behind.
#include <gtest/gtest.h>

#include <memory>

#include "working_directory.h"

namespace zenko::testing {
namespace {

class WorkingDirectoryEnvironment : public ::testing::Environment {
public:
    void SetUp() override { directory_ = std::make_unique<TemporaryWorkingDirectory>("zenko-app-tests"); }
    void TearDown() override { directory_.reset(); }

private:
    std::unique_ptr<TemporaryWorkingDirectory> directory_;
};
[[maybe_unused]] const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new WorkingDirectoryEnvironment);

}  // namespace
}  // namespace zenko::testing
