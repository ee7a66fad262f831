#pragma once

#include <QString>

class QWidget;

namespace varnel {

// What the catalogue dialogs need of the main window: its two lists, its size
// fields and the name handed from a list dialog to its change dialog. The
// main window implements it; tests use a stand-in.
class catalogue_host {
public:
    virtual ~catalogue_host() = default;

    enum class refill {
        done,
        failed,         // the catalogue could not be read; the caller reports it
        program_ended,  // the container table is empty: the program has ended
    };

    // Refill the container list and choose "40尺柜" (which fills the
    // container size fields).
    virtual refill load_jizhuangxiang() = 0;

    // Refill the carton list; nothing is chosen afterwards. Never ends the
    // program.
    virtual refill load_bao() = 0;

    // The container length, width and height fields, in centimetres as text,
    // written by hand input: the container list turns darker grey.
    virtual void set_manual_container_size(const QString& length, const QString& width,
                                           const QString& height) = 0;

    // The carton list's text, and the three carton fields (centimetres).
    virtual QString carton_list_text() const = 0;
    virtual void set_carton_size(const QString& length, const QString& width,
                                 const QString& height) = 0;

    // The entry a list dialog hands to its change dialog.
    virtual QString& edit_entry_name() = 0;

    // The window the dialogs are modal over.
    virtual QWidget* dialog_parent() = 0;
};

}  // namespace varnel
