#pragma once

namespace fathomer {

class TManualForm;

// Sizes the manual window from the "Manual" section of "Config.ini" and loads its eight pages
// into the page holders; a page that is missing or not a readable BMP gets the red placeholder.
// Each page's text comes from the file beside its picture (1.txt beside 1.bmp).
void Gfx_Load_Manual(TManualForm &form);

}  // namespace fathomer
