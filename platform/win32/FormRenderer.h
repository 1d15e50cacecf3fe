#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "Win32EventLoop.h"
#include "platform/core/Form.h"

namespace platform {

// Shows one form model on standard Win32 controls: a window per control, every property change
// mirrored, every user action turned into the control's event, delivered through the loop.
class FormRenderer : private ControlView {
  public:
    FormRenderer(Win32EventLoop& loop, Form& form, std::function<void()> formDestroyed);
    ~FormRenderer() override;
    FormRenderer(const FormRenderer&) = delete;
    FormRenderer& operator=(const FormRenderer&) = delete;

    HWND window() const { return window_; }
    // The window that takes a control's input (the edit of a labelled edit or number field).
    HWND handleFor(const Control& control) const;
    // The command a menu item or tool button sends when chosen.
    UINT commandFor(const Control& control) const;
    // Model units are pixels at 96 dpi; the screen may have more.
    int scaled(int value) const { return MulDiv(value, dpi_, 96); }

  private:
    struct View {
        HWND hwnd = nullptr;     // the control's own window (the edit for labelled edits)
        HWND caption = nullptr;  // a labelled edit's caption
        HWND upDown = nullptr;   // a number field's arrows
        std::vector<HWND> radios;
        UINT command = 0;  // menu items and tool buttons
        HBRUSH background = nullptr;
        HFONT font = nullptr;
        std::wstring hint;
        bool scrollPosted = false;  // log panes
    };

    static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR data);
    bool handleCommon(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool handleContainer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void paintContainer(HWND hwnd, Control& control);

    void build(Control& control, HWND parent);
    HWND create(Control& control, HWND parent);
    void attach(Control& control, HWND hwnd);
    void rebuildMenu();
    void appendMenuItems(HMENU menu, Control& parent);
    void apply(Control& control, Property property);
    void applyAll(Control& control);
    void applyFont(Control& control);
    void layoutChildren(Control& container);
    void appendLogLine(HWND log, const LogLine& line);
    void stepNumber(Control& control, int delta);
    void dragSplitter(Control& splitter, POINT delta);
    void deliver(Control& control, std::function<void(Control&)> event);
    void key(Control& control, int virtualKey, bool down);
    Control* controlOf(HWND hwnd) const;
    Control* containerOf(HWND hwnd) const;
    std::vector<HWND> windowsOf(const View& view) const;
    HBRUSH backgroundFor(Control& control);

    void propertyChanged(Control& control, Property property) override;
    void controlDestroyed(Control& control) override;

    Win32EventLoop& loop_;
    Form& form_;
    std::function<void()> formDestroyed_;
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    HMENU menuBar_ = nullptr;
    Control* mainMenu_ = nullptr;
    int dpi_ = 96;
    std::unordered_map<const Control*, View> views_;
    std::unordered_map<HWND, Control*> controls_;
    std::map<UINT, Control*> commands_;
    UINT nextCommand_ = 100;
    std::shared_ptr<std::set<const Control*>> alive_;
    std::map<std::wstring, HFONT> fonts_;
    std::map<HWND, Control*> radioOwners_;
    POINT dragFrom_{};
    bool updating_ =
        false;  // true while mirroring the model, so control notifications are not echoed
};

// The virtual key of a key message as the forms see keys; 0 for keys they do not take.
int FormKey(WPARAM virtualKey);

}  // namespace platform
