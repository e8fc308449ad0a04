#pragma once
// Shared pieces of the command and graph-dialog tests: a fresh program state with recorded
// message boxes, graphs made the way the dialogs make them, and small checks on messages.

#include <QLineEdit>
#include <QString>
#include <QtTest>
#include <memory>
#include <string>

#include "common/message_sink.h"
#include "common/program_state.h"
#include "document/scene_document.h"
#include "graph/codes.h"
#include "graph/graph.h"

namespace quillon::test {

// A control of a form by its objectName; a missing control fails the test loudly.
template <class T>
T* Find(const QObject* root, const char* name) {
  T* child = root->findChild<T*>(QString::fromLatin1(name));
  if (!child) qFatal("no control named %s", name);
  return child;
}
inline QString FieldOf(const QObject* root, const char* name) {
  return Find<QLineEdit>(root, name)->text();
}
inline void Type(const QObject* root, const char* name, const QString& text) {
  Find<QLineEdit>(root, name)->setText(text);
}

// A surface over [-1, 1]^2 with a few steps, as frmF6 would build it.
inline Cls8::GraphPtr MakeSurface(const std::string& function, const std::string& name = "Untitled",
                                  int32_t steps = 4) {
  auto graph = std::make_shared<Cls9>(Cls9{}.Init(
      0, name, gtp::kSurface, ctp::kCartesian, "", "", function, steps, steps, -1.0f, 1.0f, -1.0f, 1.0f, 0,
      255, 0, 0, 1, material::kMetal, shw::kSurface, smt::kSmoothest, false, false, false, 0));
  graph->FunForm = fun::kExplicit;
  graph->VarX = quantity::kY;
  graph->VarY = quantity::kU;
  graph->VarZ = quantity::kX;
  graph->ColorR = quantity::kU;
  graph->ColorG = quantity::kV;
  graph->ColorB = quantity::kMagnitude;
  return graph;
}

// Adds a surface to the document as a new graph of a 3D scene (next ID, sampled, checked).
inline Cls8::GraphPtr AddSurface(SceneDocument& doc, const std::string& function,
                                 const std::string& name = "Untitled") {
  State().SceneKind = 3;
  Cls8::GraphPtr graph = MakeSurface(function, name);
  graph->ID = ++State().LastGraphID;
  doc.AddGraph(graph);
  doc.SetCurrentIndex(static_cast<int32_t>(doc.Items().size()) - 1);
  return graph;
}

// The texts of the recorded messages, for failure output.
inline QString Texts(const RecordingSink& sink) {
  QStringList texts;
  for (const MessageRequest& request : sink.Requests()) {
    texts << QString::fromStdString(request.title + ": " + request.text);
  }
  return texts.join(QStringLiteral(" | "));
}

// Checks that exactly one message was shown, with this text, title and icon.
#define QUILLON_EXPECT_ONE_MESSAGE(sink, expectedText, expectedTitle, expectedIcon)              \
  do {                                                                                           \
    QVERIFY2((sink).Requests().size() == 1, qPrintable(::quillon::test::Texts(sink)));           \
    QCOMPARE(QString::fromStdString((sink).Requests()[0].text), QStringLiteral(expectedText));   \
    QCOMPARE(QString::fromStdString((sink).Requests()[0].title), QStringLiteral(expectedTitle)); \
    QVERIFY((sink).Requests()[0].icon == (expectedIcon));                                        \
  } while (false)

}  // namespace quillon::test
