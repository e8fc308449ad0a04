#pragma once
// Small helpers of the widget tests: finding controls by objectName (failing loudly when a
// control is missing), typing into boxes and reading them.

#include <QLineEdit>
#include <QtTest>
#include <stdexcept>
#include <string>

namespace quillon::test {

template <class T>
T* Control(const QObject* root, const QString& name) {
  T* child = root->findChild<T*>(name);
  if (!child) throw std::runtime_error("no control named " + name.toStdString());
  return child;
}

inline void SetText(const QObject* root, const QString& name, const QString& text) {
  Control<QLineEdit>(root, name)->setText(text);
}

inline QString Text(const QObject* root, const QString& name) {
  return Control<QLineEdit>(root, name)->text();
}

}  // namespace quillon::test
