// The screen's colour depth as the information windows see it, and the
// colour count of the system information box, with its thousands commas.
// Pure functions of the numbers the graphics interface reports, so they
// build and run on any system.
#pragma once

// The colour depth of a screen whose device context reports
// `bitsPerPixel` and `planes`: their product, except that anything of 9
// bits or more counts as 24. So the results are 1, 4 and 8 for palette
// screens and 24 for every deeper one; 0 when either number is not
// positive (the device context could not be asked).
unsigned ColourDepthOf(int bitsPerPixel, int planes);

// How many colours such a screen shows without dithering, the number the
// colour sentence carries: 2 to the power of bits per pixel times planes,
// capped at 24 (so 16,777,216 for 24 and 32 bits), and 1 when either number
// is not positive.
unsigned ColourCountOf(int bitsPerPixel, int planes);

// The decimal digits of `number` with a comma after every third digit
// counted from the right, none at the front: 65536 gives "65,536". The text
// lives in one process-wide buffer that the next call overwrites.
const char* ThousandsText(unsigned number);
