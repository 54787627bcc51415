#include "ui/form1.h"

namespace zenko {

// Every box the game shows goes through the counting dialogs.
Form1::Form1(Platform platform_)
    : boxes_(platform_.dialogs), platform{platform_.canvas,         boxes_,
                                          platform_.clock,          platform_.sound,
                                          platform_.panel,          platform_.app,
                                          platform_.engineProcess,  platform_.engine,
                                          platform_.gameChooser,    platform_.clipboard,
                                          platform_.positionEditor, platform_.reviewProcess} {}

}  // namespace zenko
