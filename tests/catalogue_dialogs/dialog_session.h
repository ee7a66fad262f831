#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "catalogue/catalogue_store.h"
#include "dialogs/catalogue_host.h"
#include "dialogs/dialog_parts.h"
#include "tests/catalogue/catalogue_copy.h"
#include "tests/support/scripted_prompts.h"
#include "ui/selection_list.h"

namespace varnel::test_support {

inline QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// The main window as the dialogs see it: its lists hold what the window
// would read from the store, and what the dialogs write into it is kept.
class host_stand_in final : public catalogue_host {
public:
    explicit host_stand_in(std::unique_ptr<catalogue_store>& store) : store_(store) {}

    refill load_jizhuangxiang() override {
        ++container_refills;
        container_list.clear();
        if (refills_fail) return refill::failed;
        for (const container_type& c : store_->all_containers().value) container_list << c.name;
        chosen_container = q("40尺柜");
        darker_grey = false;
        return refill::done;
    }
    refill load_bao() override {
        ++carton_refills;
        carton_list.clear();
        if (refills_fail) return refill::failed;
        for (const catalogue_carton& c : store_->all_cartons().value) carton_list << c.name;
        chosen_carton.clear();
        return refill::done;
    }
    void set_manual_container_size(const QString& l, const QString& w, const QString& h) override {
        container_size = {l, w, h};
        darker_grey = true;
    }
    QString carton_list_text() const override { return chosen_carton; }
    void set_carton_size(const QString& l, const QString& w, const QString& h) override {
        carton_size = {l, w, h};
    }
    QString& edit_entry_name() override { return entry; }
    QWidget* dialog_parent() override { return nullptr; }

    QStringList container_list, carton_list;
    QString chosen_container, chosen_carton, entry;
    QStringList container_size, carton_size;
    bool darker_grey = false;
    bool refills_fail = false;  // the main window cannot read the catalogue
    int container_refills = 0;
    int carton_refills = 0;

private:
    std::unique_ptr<catalogue_store>& store_;
};

// A temporary copy of the delivered catalogue, the scripted prompts and the
// main window's stand-in. `prepare` writes rows before the store is opened
// for good (read-only when asked).
struct dialog_session {
    explicit dialog_session(const std::function<void(catalogue_store&)>& prepare = {},
                            bool read_only = false) {
        store = open(false);
        if (prepare) prepare(*store);
        if (read_only) {
            store.reset();
            store = open(true);
        }
    }

    std::unique_ptr<catalogue_store> open(bool read_only) {
        open_result opened = open_catalogue(copy.folder(), {q("dialog_tests"), read_only});
        if (!opened.store) qFatal("%s", qPrintable(opened.error));
        return std::move(opened.store);
    }

    std::vector<container_type> containers() const { return store->all_containers().value; }
    std::vector<catalogue_carton> cartons() const { return store->all_cartons().value; }
    std::vector<pallet_type> pallets() const { return store->all_pallets().value; }

    catalogue_copy copy;
    std::unique_ptr<catalogue_store> store;
    scripted_prompts prompts;
    host_stand_in host{store};
};

// Shows a dialog and waits until it has the keyboard, so focus can be seen.
inline bool shown(QWidget& dialog) {
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

// Clicks the button with exactly this caption; no such button fails the test.
inline void click(QWidget& dialog, const char* caption) {
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->text() == q(caption)) return b->click();
    }
    QFAIL(caption);
}

inline void type(const dialog_parts::entry_fields& fields, const char* name, const char* length,
                 const char* width, const char* height) {
    if (fields.name) fields.name->setText(q(name));
    fields.length->setText(q(length));
    fields.width->setText(q(width));
    fields.height->setText(q(height));
}

// Every field a form has, in the order name, length, width, height and a
// pallet type's weight, load height and load weight.
inline QList<QLineEdit*> present(const dialog_parts::entry_fields& fields) {
    QList<QLineEdit*> out;
    for (QLineEdit* f : {fields.name, fields.length, fields.width, fields.height, fields.weight,
                         fields.load_height, fields.load_weight}) {
        if (f) out << f;
    }
    return out;
}

// Types into the form's fields in the order above; a form without a name
// field takes the sizes first.
inline void type(const dialog_parts::entry_fields& fields, const QStringList& typed) {
    const QList<QLineEdit*> order = present(fields);
    for (qsizetype i = 0; i < order.size(); ++i) order[i]->setText(typed.value(i));
}

// The field at this place in the order name, length, width, height, weight,
// load height, load weight.
inline QLineEdit* field_at(const dialog_parts::entry_fields& fields, int place) {
    QLineEdit* const order[] = {fields.name,   fields.length,      fields.width,      fields.height,
                                fields.weight, fields.load_height, fields.load_weight};
    return order[place];
}

inline QStringList texts(const dialog_parts::entry_fields& fields) {
    QStringList out;
    for (QLineEdit* f : present(fields)) out << f->text();
    return out;
}

inline QStringList entries(const selection_list& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i) out << list.itemText(i);
    return out;
}

inline void choose(selection_list& list, const char* name) {
    list.setCurrentIndex(list.findText(q(name), Qt::MatchExactly));
}

// The columns of a refusal table: what is typed (name, length, width,
// height, and a pallet type's three more), the one message, and the field
// that gets the focus.
inline void refusal_columns() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus");  // the field, in the order typed
}

// Types a refused entry into a shown dialog with the focus away from its
// fields and presses OK: the message alone shows, the focus moves to its
// field and every field keeps what was typed.
template <typename Dialog>
void expect_refusal(dialog_session& s, Dialog& d) {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QVERIFY(shown(d));
    d.cancel_button->setFocus();
    type(d.fields, typed);
    click(d, "确\u3000定");
    QCOMPARE(s.prompts.messages(), QStringList{message});
    QCOMPARE(d.focusWidget(), field_at(d.fields, focus));
    QCOMPARE(texts(d.fields), typed);
}

// Runs `act` on the dialog of type T once exec() has made it the active
// modal window; whatever other window is modal meanwhile is closed, so a
// wrong hand-over fails instead of hanging.
template <typename T>
void when_shown(std::function<void(T&)> act, int tries = 200) {
    QTimer::singleShot(5, [act = std::move(act), tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal)) return act(*dialog);
        if (tries == 0) {
            if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
            return;
        }
        when_shown<T>(std::move(act), tries - 1);
    });
}

}  // namespace varnel::test_support
