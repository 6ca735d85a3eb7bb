#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/forms/child_container.h"
#include "host/forms/property_bag.h"

namespace forms {

// A control of the host's own (the Command button): a child window with a
// persistent image and constituent controls, which a concrete control
// derives from, overriding the handlers it has under their given names.
//
// Its life: the window is made with its container's; then its properties are
// read from the bag the form stored for it (UserControl_ReadProperties), or
// UserControl_InitProperties runs when the form stored none; then
// UserControl_Resize, and again at every change of size.
//
// The focus: a press of the left button gives it the focus before the press
// is reported, when CanGetFocus (the default). UserControl_GotFocus and
// UserControl_LostFocus tell of the focus moving between the controls of its
// form; the focus leaving for another program or a window of the system's
// (the file chooser) is no LostFocus, and its return no GotFocus. Keys do
// nothing unless the control handles them.
class UserControl : public ChildContainer {
public:
    // Background style: 0 transparent (the control's image is not shown,
    // what lies behind it is; its constituents still are), 1 opaque.
    int BackStyle() const { return backStyle_; }
    // False, changing nothing, for any other value.
    bool SetBackStyle(int style);

    // The font of the container: the default of a font property.
    FontRef AmbientFont() const { return Parent().Font(); }

    // The form saving the control: the control writes its properties.
    void WriteProperties(PropertyBag& bag) { UserControl_WriteProperties(bag); }
    // Hears PropertyChanged: the property named has changed, so the form
    // holding the control would be saved again.
    void SetPropertyChangedHandler(std::function<void(const std::string&)> handler) {
        propertyChanged_ = std::move(handler);
    }

    bool CanGetFocus() const { return canGetFocus_; }
    void SetCanGetFocus(bool can) { canGetFocus_ = can; }

protected:
    UserControl(Container& parent, TwipsRect rect, std::optional<PropertyBag> stored)
        : ChildContainer(parent, rect, WindowKind::UserControl), stored_(std::move(stored)) {}

    void PropertyChanged(const std::string& name) {
        if (propertyChanged_) propertyChanged_(name);
    }

    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& /*bag*/) {}
    virtual void UserControl_WriteProperties(PropertyBag& /*bag*/) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void UserControl_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void UserControl_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Sited() override;
    void OnResize() override;
    void OnMouse(MouseAction action, const MouseEvent& event) override;
    bool ShowsOwnImage() const override { return backStyle_ == 1; }

    std::optional<PropertyBag> stored_;
    std::function<void(const std::string&)> propertyChanged_;
    int backStyle_ = 1;
    bool canGetFocus_ = true;
    bool focused_ = false;
};

}  // namespace forms
