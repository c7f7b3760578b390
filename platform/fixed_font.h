#pragma once
// The fixed-pitch font of the listing and the memory viewers, chosen by what
// it measures rather than by what the font says of itself: some monospaced
// desktop faces (Noto Sans Mono among them) are not reported as fixed-pitch,
// while a face that is can still be missing or substituted.

#include <QFont>
#include <QStringList>

// Whether the digits, the letters and the listing's punctuation all have one
// advance in this font.
bool MeasuresFixed(const QFont& font);

// The first of these that measures fixed at the given size: each preferred
// family that is installed, then the system's fixed font, then any
// installed family; the system's fixed font when none does.
QFont ChooseFixedPitchFont(const QStringList& preferred, int points);

// DejaVu Sans Mono 10 pt, which the project installs, or what
// ChooseFixedPitchFont finds without it; chosen once.
QFont FixedPitchFont();
