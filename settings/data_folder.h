// The folder where the installed game keeps each player's settings file,
// sound files and game records: $XDG_DATA_HOME/zenko, by default
// ~/.local/share/zenko.
#pragma once

#include <string>

namespace zenko {

// The player's data folder from the two variables (nullptr when unset). An
// empty or relative XDG_DATA_HOME is ignored, as the XDG rules say.
std::string data_folder_path(const char* xdgDataHome, const char* home);

// Makes the folder (and its parents), copies into it each sound file of
// `sounds` that it lacks (files the player replaced are kept) and makes it
// the current directory. False when the folder cannot be made, written or
// entered; a sound file that cannot be copied only stays silent later.
bool enter_data_folder(const std::string& folder, const std::string& sounds);

}  // namespace zenko
