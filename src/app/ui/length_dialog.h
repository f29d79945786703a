#pragma once
#include "library/ui/fibre_length_dialog.h"

#include <QDialog>

#include <memory>

namespace lumor {

namespace Ui {
class TForm4;
}

class ComponentLibrary;
class Desk;
class RouteList;

/// The fibre-length dialog: the length of a fibre added from the library ("Ok", new-fibre
/// mode) or of a fibre already in the route ("Změň", change mode).
class TForm4 : public QDialog, public FibreLengthDialog {
    Q_OBJECT
public:
    TForm4(RouteList& route, const ComponentLibrary& library, Desk& desk);
    ~TForm4() override;

    void FormCreate() {}
    /// Appends the fibre of library column `FibreLibraryColumn` with the typed length.
    void Button1Click();
    /// Changes the length of route fibre `ChangedFibreIndex`.
    void Button2Click();

    /// New-fibre mode for a library column: "Ok" enabled, "Změň" disabled.
    void setNewFibreMode(int libraryColumn);
    /// Change mode for a route position: "Změň" enabled, "Ok" disabled.
    void setChangeMode(int routeIndex);
    /// The new-fibre mode, then the dialog shown modally.
    void openForNewFibre(int libraryColumn) override;
    /// The change mode, then the dialog shown modally.
    void openForChange(int routeIndex);

    /// Library grid column of the fibre being added.
    int FibreLibraryColumn() const { return fibreLibraryColumn_; }
    /// Route position of the fibre whose length is being changed.
    int ChangedFibreIndex() const { return changedFibreIndex_; }

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
    std::unique_ptr<Ui::TForm4> ui_;
    int fibreLibraryColumn_ = 0;
    int changedFibreIndex_ = 0;
    bool wholeTextOnClick_ = false;
};

}  // namespace lumor
