#pragma once
#include <QDialog>

#include <memory>

namespace lumor {

namespace Ui {
class FibreLengthDialog;
}

class ComponentLibrary;
class Desk;
class RouteList;

/// The fibre-length dialog: the length of a fibre added from the library ("Ok", new-fibre
/// mode; the library window opens it) or of a fibre already in the route ("Změň", change
/// mode; the main window opens it).
class FibreLengthDialog : public QDialog {
    Q_OBJECT
public:
    FibreLengthDialog(RouteList& route, const ComponentLibrary& library, Desk& desk);
    ~FibreLengthDialog() override;

    /// "Ok": appends the fibre of library column `fibreLibraryColumn` with the typed length.
    void appendFibre();
    /// "Změň": changes the length of route fibre `changedFibreIndex` to the typed one.
    void changeLength();

    /// New-fibre mode for a library column: "Ok" enabled, "Změň" disabled.
    void setNewFibreMode(int libraryColumn);
    /// Change mode for a route position: "Změň" enabled, "Ok" disabled.
    void setChangeMode(int routeIndex);
    /// The new-fibre mode, then the dialog shown modally.
    void openForNewFibre(int libraryColumn);
    /// The change mode, then the dialog shown modally.
    void openForChange(int routeIndex);

    /// Library grid column of the fibre being added.
    int fibreLibraryColumn() const { return fibreLibraryColumn_; }
    /// Route position of the fibre whose length is being changed.
    int changedFibreIndex() const { return changedFibreIndex_; }

protected:
    void showEvent(QShowEvent* event) override;
    /// Enter presses the mode's button ("Ok" or "Změň"); Escape cancels as in every dialog.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The keyboard focus in the length field with its whole text selected, so that what is
    /// typed next replaces it (the first click into the field keeps it selected, too).
    void prepareEntry();
    RouteList& route_;
    const ComponentLibrary& library_;
    Desk& desk_;
    std::unique_ptr<Ui::FibreLengthDialog> ui_;
    int fibreLibraryColumn_ = 0;
    int changedFibreIndex_ = 0;
    bool wholeTextOnClick_ = false;
};

}  // namespace lumor
