// The one way tests and benchmarks reach past Form1's procedures: setting a
// position or a computer level up directly, and the sides of a new start.
#pragma once

#include "ui/form1.h"

namespace zenko {

struct FormTestAccess {
    static Engine& engine(Form1& form) { return form.engine_; }
    static void reset_sides(Form1& form) { form.reset_sides(); }
};

}  // namespace zenko
