#pragma once

namespace converter {

// How many cells of the named font's grid a character takes, as a console
// gives them: none for combining marks and format characters, two for East
// Asian wide and fullwidth characters, one for the rest. Decided from the
// character alone, so an image has the same size whichever fonts draw it.
int cellsOf(char32_t c);

} // namespace converter
