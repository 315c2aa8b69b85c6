// The generic load and store passes over controls bound to settings keys.
#include "settings/SettingsBinder.h"

#include "settings/Settings.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMetaProperty>
#include <QRadioButton>
#include <QSpinBox>
#include <QVariant>

namespace {

constexpr const char* kKeyProperty = "settingKey";

// A radio group is a named group box of unnamed radio buttons: its value is the index of the
// checked button (-1 for none), like a list's selected index.
QList<QRadioButton*> radioGroupItems(const QObject& control) {
    if (!qobject_cast<const QGroupBox*>(&control))
        return {};
    return control.findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

bool isPartOfCompoundWidget(const QObject& control) {
    for (const QObject* up = control.parent(); up; up = up->parent())
        if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractSpinBox*>(up))
            return true;
    return false;
}

QVariant readValue(const Settings& settings, Setting key) {
    switch (settingEntry(key).type) {
    case SettingType::Bool:
        return settings.readBool(key);
    case SettingType::Integer:
    case SettingType::Colour:
        return settings.readInteger(key);
    case SettingType::Text:
        return settings.readText(key);
    }
    return {};
}

bool writeValue(Settings& settings, Setting key, const QVariant& value) {
    switch (settingEntry(key).type) {
    case SettingType::Bool:
        return settings.writeBool(key, value.toBool());
    case SettingType::Integer:
    case SettingType::Colour:
        return settings.writeInteger(key, value.toInt());
    case SettingType::Text:
        return settings.writeText(key, value.toString());
    }
    return true;
}

void showValue(QObject& control, const QVariant& value) {
    if (auto* action = qobject_cast<QAction*>(&control)) {
        action->setChecked(value.toBool());
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setChecked(value.toBool());
    } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        if (combo->isEditable()) {
            combo->setEditText(value.toString());
        } else {
            // A list holds only its own entries: an unknown name leaves the selection.
            const int index = combo->findText(value.toString(), Qt::MatchFixedString);
            if (index >= 0)
                combo->setCurrentIndex(index);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->setText(value.toString());
    } else if (auto* spin = qobject_cast<QSpinBox*>(&control)) {
        spin->setValue(value.toInt());
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(&control)) {
        slider->setValue(value.toInt());
    } else if (const auto items = radioGroupItems(control); !items.isEmpty()) {
        const int index = value.toInt();
        if (index >= 0 && index < items.size())
            items[index]->setChecked(true);
    } else if (const QMetaProperty user = control.metaObject()->userProperty(); user.isValid()) {
        user.write(&control, value);
    }
}

QVariant shownValue(const QObject& control) {
    if (auto* action = qobject_cast<const QAction*>(&control))
        return action->isChecked();
    if (auto* button = qobject_cast<const QAbstractButton*>(&control))
        return button->isChecked();
    if (auto* combo = qobject_cast<const QComboBox*>(&control))
        return combo->currentText();
    if (auto* edit = qobject_cast<const QLineEdit*>(&control))
        return edit->text();
    if (auto* spin = qobject_cast<const QSpinBox*>(&control))
        return spin->value();
    if (auto* slider = qobject_cast<const QAbstractSlider*>(&control))
        return slider->value();
    if (const auto items = radioGroupItems(control); !items.isEmpty()) {
        for (int i = 0; i < items.size(); ++i)
            if (items[i]->isChecked())
                return i;
        return -1;
    }
    if (const QMetaProperty user = control.metaObject()->userProperty(); user.isValid())
        return user.read(&control);
    return {};
}

} // namespace

void bindToSetting(QObject& control, Setting key) {
    control.setProperty(kKeyProperty, Settings::keyName(key));
}

std::optional<Setting> boundSetting(const QObject& control, KeyNames names) {
    const QVariant bound = control.property(kKeyProperty);
    const QString name = bound.isValid()              ? bound.toString()
                         : names == KeyNames::AreKeys ? control.objectName()
                                                      : QString();
    if (name.isEmpty())
        return std::nullopt;
    const std::optional<Setting> key = settingNamed(name.toStdString());
    if (!key || isPartOfCompoundWidget(control))
        return std::nullopt;
    return key;
}

void loadBoundControl(QObject& control, const Settings& settings, KeyNames names) {
    if (const std::optional<Setting> key = boundSetting(control, names))
        showValue(control, readValue(settings, *key));
}

bool storeBoundControl(const QObject& control, Settings& settings, KeyNames names) {
    const std::optional<Setting> key = boundSetting(control, names);
    if (!key)
        return true;
    const QVariant value = shownValue(control);
    return !value.isValid() || writeValue(settings, *key, value);
}

void loadBoundControls(QObject& root, const Settings& settings, KeyNames names) {
    for (QObject* control : root.findChildren<QObject*>())
        loadBoundControl(*control, settings, names);
}

bool storeBoundControls(const QObject& root, Settings& settings, KeyNames names) {
    bool stored = true;
    for (const QObject* control : root.findChildren<QObject*>())
        stored = storeBoundControl(*control, settings, names) && stored;
    return stored;
}
