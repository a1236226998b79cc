// The clipboard format "TTodo Item": one item's stored properties as bytes that only this
// program reads back. The payload carries a signature, a format version, its length and a
// checksum, and every value is checked when read, so a foreign or damaged payload is refused
// as a whole and nothing of it reaches an item.
#pragma once

#include "comp/TodoList/TodoItem.h"

#include <QByteArray>
#include <QString>

// The clipboard format's name.
inline const QString TodoItemClipboardFormat = QStringLiteral("TTodo Item");

// The bytes of the item's stored properties (DBKey is not among them).
QByteArray TodoItemPayload(const TTodoItem& item);
// Gives target the payload's properties when the payload is sound; returns false and leaves
// target untouched otherwise.
bool ReadTodoItemPayload(const QByteArray& payload, TTodoItem& target);
// Whether the payload is sound, without applying it.
bool IsTodoItemPayload(const QByteArray& payload);

// Puts the item on the clipboard under the format (replacing what was there).
void CopyTodoItemToClipboard(const TTodoItem& item);
// Adds an item made from the clipboard's payload to the collection; null when the format is
// absent or the payload is refused (then the collection is unchanged).
TTodoItem* PasteTodoItemFromClipboard(TTodoItemCollection& items);
