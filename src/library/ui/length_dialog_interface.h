#pragma once

namespace lumor {

/// The fibre-length dialog as the library window uses it: asks for the length of the fibre
/// of a library grid column and appends that fibre to the route. The main window's dialog
/// (TForm4) is the one the program has.
class FibreLengthDialog {
public:
    /// Opens the dialog modally in its new-fibre mode for the library column.
    virtual void openForNewFibre(int libraryColumn) = 0;

protected:
    ~FibreLengthDialog() = default;
};

}  // namespace lumor
