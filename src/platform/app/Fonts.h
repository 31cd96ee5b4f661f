// The font substitutions that make the program's Windows font names render well here.
#pragma once

namespace platform {

// Maps "MS Sans Serif" and "Tahoma" to "Liberation Sans", which has Tahoma's widths
// (left alone, fontconfig picks a wider face and captions get clipped). "Times New
// Roman" already resolves to Liberation Serif. Call once at start-up; repeating it is
// harmless.
void InstallFontSubstitutions();

} // namespace platform
