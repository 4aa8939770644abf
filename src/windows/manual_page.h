#pragma once

namespace fathomer {

// The number of the manual page on display, 1..8. The program keeps one for the whole run, so the
// manual reopens where the user left it; it is not stored between runs.
class ManualPage {
public:
    int index() const { return Manual_Page_Index; }
    // Any number: showing the page brings it back into 1..8.
    void turnTo(int page) { Manual_Page_Index = page; }

private:
    int Manual_Page_Index = 1;
};

}  // namespace fathomer
