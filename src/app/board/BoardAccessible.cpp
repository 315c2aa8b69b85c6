// Tiles and arrows named for a screen reader, read from the board each time they are asked.
#include "board/BoardAccessible.h"

#include "board/BoardView.h"

#include "game/Game.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QWidget>
#include <QWindow>

namespace {

// One tile or arrow of the board; it holds only its place, so it never goes stale. An arrow
// is pressed and a tile toggled exactly as a click on it would be.
class BoardItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    BoardItemAccessible(BoardView* board, int index) : m_board(board), m_index(index) {}

    bool isValid() const override { return m_board && m_index < childTotal(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_board->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_board);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return {};
        if (const int tile = tileNumber(); tile != 0)
            return m_board->tileDescription(tile);
        const auto [column, above] = arrow();
        return BoardView::arrowDescription(column, above);
    }

    QRect rect() const override {
        if (!isValid())
            return {};
        const int tile = tileNumber();
        const auto [column, above] = arrow();
        const QRect local = tile != 0 ? m_board->tileRect(tile) : m_board->arrowRect(column, above);
        return QRect(m_board->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override {
        return tileNumber() != 0 ? QAccessible::Cell : QAccessible::Button;
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const int tile = tileNumber();
        state.disabled = tile != 0 ? !m_board->canToggleTile(tile) : !m_board->canPressArrows();
        if (tile != 0) {
            state.focusable = true;
            state.focused = m_board->hasFocus() && m_board->cursorTile() == tile;
            state.checkable = true;
            state.checked = boardModel().tile(tile).colour != quorvel::LetterColour::Unlocked;
        }
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // As Qt's own buttons do, a tile or arrow that takes no click offers no action.
    QStringList actionNames() const override {
        if (!isValid() || state().disabled)
            return {};
        return {tileNumber() != 0 ? toggleAction() : pressAction()};
    }

    void doAction(const QString& actionName) override {
        if (!actionNames().contains(actionName))
            return;
        if (const int tile = tileNumber(); tile != 0) {
            m_board->toggleTile(tile);
            return;
        }
        const auto [column, above] = arrow();
        m_board->pressArrow(column, above);
    }

    // The board's own keys for the tile under its cursor; an arrow's keys need the cursor below it.
    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == toggleAction())
            return {QStringLiteral("Space")};
        return {};
    }

private:
    const quorvel::Board& boardModel() const { return m_board->game().state().board; }
    int childTotal() const { return boardModel().tileCount + 2 * boardModel().columns; }
    int tileNumber() const { return m_index < boardModel().tileCount ? m_index + 1 : 0; }
    std::pair<int, bool> arrow() const {
        const int number = m_index - boardModel().tileCount; // 0-based among the arrows
        const int columns = boardModel().columns;
        return {number % columns + 1, number < columns};
    }

    BoardView* m_board;
    int m_index;
};

} // namespace

BoardAccessible::BoardAccessible(BoardView* board) : QAccessibleWidget(board, QAccessible::Table) {}

BoardAccessible::~BoardAccessible() {
    for (const auto& [index, id] : m_children)
        QAccessible::deleteAccessibleInterface(id);
}

void BoardAccessible::install() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory([](const QString& className, QObject* object) -> QAccessibleInterface* {
        if (className == QLatin1String("BoardView") && object && object->isWidgetType())
            return new BoardAccessible(static_cast<BoardView*>(object));
        return nullptr;
    });
}

BoardView* BoardAccessible::board() const {
    return static_cast<BoardView*>(widget());
}

int BoardAccessible::childCount() const {
    const quorvel::Board& model = board()->game().state().board;
    return model.tileCount + 2 * model.columns;
}

QAccessibleInterface* BoardAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    auto found = m_children.find(index);
    if (found == m_children.end()) {
        auto* item = new BoardItemAccessible(board(), index);
        found = m_children.emplace(index, QAccessible::registerAccessibleInterface(item)).first;
    }
    return QAccessible::accessibleInterface(found->second);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (const auto& [index, id] : m_children)
        if (QAccessible::accessibleInterface(id) == child)
            return index;
    return -1;
}

void BoardAccessible::tilesChanged(BoardView* board, const std::vector<int>& tiles) {
    if (!QAccessible::isActive() || tiles.empty())
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(board);
    if (!table)
        return;
    for (const int tile : tiles) {
        QAccessibleInterface* cell = table->child(tile - 1);
        if (!cell)
            continue;
        QAccessibleEvent named(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        // A lock or a release under the cursor is a change of the focused cell's checked state.
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent lockChanged(cell, checked);
        QAccessible::updateAccessibility(&lockChanged);
    }
}

void BoardAccessible::cursorMoved(BoardView* board) {
    if (!QAccessible::isActive() || !board->hasFocus() || board->cursorTile() == 0)
        return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(board);
    QAccessibleInterface* cell = table ? table->child(board->cursorTile() - 1) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent focused(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focused);
}

// The keyboard cursor's tile is where the board's focus is, so "where am I" answers with it.
QAccessibleInterface* BoardAccessible::focusChild() const {
    if (!board()->hasFocus() || board()->cursorTile() == 0)
        return nullptr;
    return child(board()->cursorTile() - 1);
}

QString BoardAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name)
        return QStringLiteral("Board");
    return QAccessibleWidget::text(t);
}
