// Controls bound to keys of the settings table, as KDE binds its kcfg_ widgets: one generic pass
// shows every bound control's stored value, another stores them all.
#pragma once

#include "settings/SettingsKeys.h"

#include <optional>

class QObject;
class Settings;

// A control names its key by the property "settingKey" (bindToSetting sets it). Where a pass
// takes names as keys, a control whose objectName is a declared key is bound as well: the
// options dialog's controls have always been named after their keys.
enum class KeyNames { Ignored, AreKeys };

// Binds control to key. Check boxes, radio buttons and checkable actions hold a Boolean; combo
// boxes and line edits a text (a list only its own entries); spin boxes and sliders a number; a
// group box of unnamed radio buttons the index of the checked one (-1 for none); any other
// object its user property (Q_PROPERTY ... USER true).
void bindToSetting(QObject& control, Setting key);

// The key control is bound to, if any. Parts of compound widgets (a combo box's line edit, a
// spin box's editor) are never bound.
std::optional<Setting> boundSetting(const QObject& control, KeyNames names = KeyNames::Ignored);

// The generic passes over root's descendants in creation order. Storing writes every bound
// control even after a failed write, and returns false when any write failed.
void loadBoundControls(QObject& root, const Settings& settings, KeyNames names = KeyNames::Ignored);
bool storeBoundControls(const QObject& root, Settings& settings,
                        KeyNames names = KeyNames::Ignored);

// One control, for choices written the moment they are made. Nothing for an unbound control.
void loadBoundControl(QObject& control, const Settings& settings,
                      KeyNames names = KeyNames::Ignored);
bool storeBoundControl(const QObject& control, Settings& settings,
                       KeyNames names = KeyNames::Ignored);
