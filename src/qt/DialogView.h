#pragma once
// Renders any dialog model as a Qt dialog: one widget per control at its
// declared position, group frames, pages as tabs, lists through a Qt item
// model. What a person does goes to the model; after every event the view
// shows the model's state anew, and closes when the model has closed.

#include <QDialog>
#include <map>

#include "qt/DialogUnits.h"
#include "ui/Dialog.h"

class QLabel;
class QTableView;
class QTabWidget;

namespace qt {

class RowSourceModel;

class DialogView : public QDialog {
    Q_OBJECT
  public:
    // The model must be open (ui::Dialog::open) and outlive the view.
    DialogView(ui::Dialog& model, QWidget* parent);

    ui::Dialog& model() const { return model_; }
    // The widget that shows a control (for the label of an input, see label()).
    QWidget* widget(const ui::Control& control) const;
    QLabel* label(const ui::Control& control) const;
    // The least size of the form, however small the screen (a smaller
    // window scrolls it).
    QSize leastSize() const { return units_.size(model_.minimumSize()); }
    // Shows the model's state.
    void sync();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void showEvent(QShowEvent* event) override;

  private:
    void build();
    void placeControls();
    QWidget* create(ui::Control& control, QWidget* parent);
    QWidget* createList(ui::ListView& list, QWidget* parent);
    QWidget* parentFor(const ui::Control& control) const;
    void setTabOrder();
    // Runs after every event of a person: done() when the model closed, else sync().
    void afterEvent();
    // Hands what a person does on a widget to the model through `handler`,
    // then runs afterEvent(); what widgets signal while the view itself sets
    // them is not a person's doing and is passed over. Returns the sender.
    template <class Sender, class Signal, class Handler>
    Sender* relay(Sender* sender, Signal signal, Handler handler);
    void focusChanged(QWidget* old, QWidget* now);
    ui::Control* controlOf(QWidget* widget) const;
    void syncControl(ui::Control& control, QWidget* widget);
    void fitColumns(const ui::ListView& list, QTableView* view);
    void syncList(ui::ListView& list, QTableView* view);
    void syncSheet(ui::Sheet& sheet, QTabWidget* tabs);
    void syncFocus();

    ui::Dialog& model_;
    DialogUnits units_;
    QWidget* canvas_ = nullptr;
    std::map<const ui::Control*, QWidget*> widgets_;
    std::map<const ui::Control*, QLabel*> labels_;
    std::map<const ui::ListView*, RowSourceModel*> lists_;
    bool syncing_ = false;
};

}  // namespace qt
