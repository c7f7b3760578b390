#pragma once
// The fixed bitmap font of the text drawn onto the surfaces: 5 x 8 glyphs
// (seven rows and a descender row) shown at twice their size in 12 x 16 cells.

constexpr int FontCellWidth = 12;
constexpr int FontCellHeight = 16;

// Whether pixel (column, row) of the cell of character `c` is drawn in the
// text colour; the rest of the cell is the background colour. Characters
// outside printable ASCII show as a hollow box.
bool FontPixel(unsigned char c, int column, int row);

// The same as FontPixel for a whole cell row at once: bit 11 - column is set
// where the row is drawn in the text colour.
unsigned int FontCellRow(unsigned char c, int row);
