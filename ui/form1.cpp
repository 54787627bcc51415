#include "ui/form1.h"

namespace zenko {

Form1::Form1(Platform platform_) : platform(platform_) {}

}  // namespace zenko
