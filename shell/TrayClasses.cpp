// shell/TrayClasses.cpp -- RegisterTrayClasses: the timer base and the tray icon for window descriptions
#include "desktop/Classes.h"
#include "desktop/Image.h"
#include "shell/sxCustomTimer.h"
#include "shell/sxTrayIcon.h"

void RegisterTrayClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterDesktopClasses();
    // Registered before any icon exists, so the first broadcast after a shell restart is understood.
    TaskbarCreatedMessage();

    TClassRegistration<TsxCustomTimer>("TsxCustomTimer", "TComponent").Ignore("About");

    TClassRegistration<TsxTrayIcon>("TsxTrayIcon", "TsxCustomTimer")
        .Bool("CycleIcons", &TsxTrayIcon::SetCycleIcons)
        .Custom("CycleInterval", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext& ctx) {
            t.SetCycleInterval(NonNegative(v, ctx));
        })
        .Bool("Enabled", &TsxTrayIcon::SetEnabled)
        .String("Hint", &TsxTrayIcon::SetHint)
        .Custom("Icon.Resource", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext& ctx) {
            try {
                t.LoadIconResource(v.AsString());
            } catch (const EsxTrayIcon& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        })
        .Custom("Icon.Data", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            try {
                t.LoadIconData(v.Data);
            } catch (const EInvalidGraphic& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        })
        .Custom("ImageList", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext&) { t.FImageListName = v.AsIdent(); })
        .Int("ImageIndex", &TsxTrayIcon::SetImageIndex)
        .Int("IconID", &TsxTrayIcon::SetIconID)
        .Bool("MinimizeToTray", &TsxTrayIcon::SetMinimizeToTray)
        .Bool("MinimizeOnStart", &TsxTrayIcon::SetMinimizeOnStart)
        .Custom("PopupMenu", [](TsxTrayIcon& t, const TPropValue& v, TLoadContext&) { t.FPopupMenuName = v.AsIdent(); })
        .Bool("PopupByLeft", &TsxTrayIcon::SetPopupByLeft)
        .Bool("ShowHint", &TsxTrayIcon::SetShowHint)
        .Bool("Visible", &TsxTrayIcon::SetVisible)
        .Bool("VisibleOnDesigning", &TsxTrayIcon::SetVisibleOnDesigning)
        .String("InfoText", &TsxTrayIcon::SetInfoText)
        .String("InfoTitle", &TsxTrayIcon::SetInfoTitle)
        .Int("InfoTimeout", &TsxTrayIcon::SetInfoTimeout)
        .Enum<TsxTrayIconInfoType>("InfoType", &TsxTrayIcon::SetInfoType,
                                   {{"tiiNone", TsxTrayIconInfoType::tiiNone},
                                    {"tiiInfo", TsxTrayIconInfoType::tiiInfo},
                                    {"tiiWarning", TsxTrayIconInfoType::tiiWarning},
                                    {"tiiError", TsxTrayIconInfoType::tiiError}})
        .Event<TNotifyEvent>("OnMinimize", &TsxTrayIcon::SetOnMinimize)
        .Event<TsxMouseMoveEvent>("OnMouseMove", &TsxTrayIcon::SetOnMouseMove)
        .Event<TsxMouseEvent>("OnMouseDown", &TsxTrayIcon::SetOnMouseDown)
        .Event<TsxMouseEvent>("OnMouseUp", &TsxTrayIcon::SetOnMouseUp)
        .Event<TNotifyEvent>("OnClick", &TsxTrayIcon::SetOnClick)
        .Event<TNotifyEvent>("OnDblClick", &TsxTrayIcon::SetOnDblClick)
        .Event<TNotifyEvent>("OnPopupMenu", &TsxTrayIcon::SetOnPopupMenu)
        .Event<TNotifyEvent>("OnShow", &TsxTrayIcon::SetOnShow)
        .Event<TNotifyEvent>("OnHide", &TsxTrayIcon::SetOnHide)
        .Event<TNotifyEvent>("OnCycleIcons", &TsxTrayIcon::SetOnCycleIcons)
        .Event<TNotifyEvent>("OnBalloonShow", &TsxTrayIcon::SetOnBalloonShow)
        .Event<TNotifyEvent>("OnBalloonTimeout", &TsxTrayIcon::SetOnBalloonTimeout)
        .Event<TNotifyEvent>("OnBalloonClick", &TsxTrayIcon::SetOnBalloonClick);
}
