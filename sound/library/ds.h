// The game's sound library over SDL2_mixer.
#pragma once
