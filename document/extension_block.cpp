#include "document/extension_block.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>
#include <cstdint>

#include "document/extension_fields.h"

namespace quillon {
namespace {

QString TextHash(std::string_view text) {
  const QByteArray bytes = QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size()));
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// Record texts hold bytes of the ANSI code page; as Latin-1 code points every byte survives
// the trip through JSON unchanged.
QString Latin1(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Bytes(const QString& text) {
  return text.toLatin1().toStdString();
}

// A whole number from 0 (positions past the graphs read are the reader's to judge), or nullopt.
std::optional<size_t> Position(const QJsonValue& value) {
  if (!value.isDouble()) return std::nullopt;
  const double d = value.toDouble();
  if (!(d >= 0.0 && d <= 1e9) || std::floor(d) != d) return std::nullopt;
  return static_cast<size_t>(d);
}

// A block that cannot be used at all.
std::string Unused(const std::string& why) {
  return "The settings block after the document text " + why +
         "; the hidden graphs and settings it holds are not read.";
}

uint32_t LittleEndian32(std::string_view bytes) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i)
    value = (value << 8) | static_cast<unsigned char>(bytes[static_cast<size_t>(i)]);
  return value;
}

std::optional<BlockGraph> ReadGraph(const QJsonValue& value, const std::string& where,
                                    std::vector<std::string>& problems) {
  if (!value.isObject()) {
    problems.push_back(where + " is not an object; it is skipped");
    return std::nullopt;
  }
  const QJsonObject object = value.toObject();
  BlockGraph graph;
  const QJsonValue record = object.value(QLatin1String("record"));
  const QJsonValue recordText = object.value(QLatin1String("recordText"));
  if (!record.isUndefined() && recordText.isUndefined()) {
    graph.record = Position(record);
    if (!graph.record) {
      problems.push_back(where + ": \"record\" is no record position; it is skipped");
      return std::nullopt;
    }
  } else if (record.isUndefined() && recordText.isString()) {
    graph.recordText = Bytes(recordText.toString());
  } else {
    problems.push_back(where + " names no record (\"record\" or \"recordText\"); it is skipped");
    return std::nullopt;
  }
  if (const QJsonValue list = object.value(QLatin1String("list")); !list.isUndefined()) {
    graph.list = Position(list);
    if (!graph.list) problems.push_back(where + ": \"list\" is no list position; it is ignored");
  }
  if (const QJsonValue checked = object.value(QLatin1String("checked")); !checked.isUndefined()) {
    if (checked.isBool())
      graph.checked = checked.toBool();
    else
      problems.push_back(where + ": \"checked\" is not true or false; it is ignored");
  }
  if (const QJsonValue settings = object.value(QLatin1String("settings")); !settings.isUndefined()) {
    if (settings.isObject())
      ReadGraphSettings(settings.toObject(), graph.extras, where, problems);
    else
      problems.push_back(where + ": \"settings\" is not an object; they are ignored");
  }
  return graph;
}

}  // namespace

BlockRead ReadExtensionBlock(std::string_view bytes, std::optional<std::string_view> text) {
  BlockRead result;
  if (bytes.empty()) return result;
  const std::string_view family = kBlockMagic.substr(0, 3);
  if (bytes.size() < kBlockMagic.size()) {
    if (kBlockMagic.substr(0, bytes.size()) == bytes) result.problems.push_back(Unused("is cut short"));
    return result;
  }
  if (bytes.substr(0, kBlockMagic.size()) != kBlockMagic) {
    // The same family with another version digit: a newer program's block.
    if (bytes.substr(0, 3) == family && bytes[3] >= '2' && bytes[3] <= '9') {
      result.problems.push_back(
          Unused("was written by a newer version (" + std::string(bytes.substr(0, 4)) + ")"));
    }
    return result;
  }
  if (bytes.size() < kBlockMagic.size() + 4) {
    result.problems.push_back(Unused("is cut short"));
    return result;
  }
  const uint32_t length = LittleEndian32(bytes.substr(kBlockMagic.size(), 4));
  const std::string_view payload = bytes.substr(kBlockMagic.size() + 4);
  if (length > kMaxBlockBytes) {
    result.problems.push_back(
        Unused("announces " + std::to_string(length) + " bytes, more than a block may hold"));
    return result;
  }
  if (payload.size() < length) {
    result.problems.push_back(Unused("is cut short (" + std::to_string(payload.size()) + " of " +
                                     std::to_string(length) + " bytes)"));
    return result;
  }
  QJsonParseError error{};
  const QJsonDocument json = QJsonDocument::fromJson(
      QByteArray::fromRawData(payload.data(), static_cast<qsizetype>(length)), &error);
  if (error.error != QJsonParseError::NoError || !json.isObject()) {
    result.problems.push_back(
        Unused("is damaged (" +
               (error.error != QJsonParseError::NoError ? error.errorString().toStdString()
                                                        : std::string("not an object")) +
               ")"));
    return result;
  }
  const QJsonObject root = json.object();
  if (text) {
    const QJsonValue hash = root.value(QLatin1String("textSha256"));
    if (!hash.isUndefined() && hash.toString() != TextHash(*text)) {
      result.problems.push_back(
          Unused("belongs to another version of the text (the file was changed by a program that does "
                 "not know the block)"));
      return result;
    }
  }

  ExtensionBlock block;
  if (const QJsonValue scene = root.value(QLatin1String("scene")); !scene.isUndefined()) {
    if (scene.isObject())
      ReadSceneSettings(scene.toObject(), block.scene, "scene settings", result.problems);
    else
      result.problems.push_back("The scene settings are not an object; they are ignored.");
  }
  if (const QJsonValue graphs = root.value(QLatin1String("graphs")); !graphs.isUndefined()) {
    if (!graphs.isArray()) {
      result.problems.push_back("The graph settings are not a list; they are ignored.");
    } else {
      const QJsonArray array = graphs.toArray();
      for (qsizetype i = 0; i < array.size(); ++i) {
        if (static_cast<size_t>(i) == kMaxBlockGraphs) {
          result.problems.push_back("The settings block lists more than " + std::to_string(kMaxBlockGraphs) +
                                    " graphs; the rest are skipped.");
          break;
        }
        const std::string where = "graph entry " + std::to_string(i + 1);
        if (std::optional<BlockGraph> graph = ReadGraph(array[i], where, result.problems))
          block.graphs.push_back(std::move(*graph));
      }
    }
  }
  if (const QJsonValue copy = root.value(QLatin1String("copy")); copy.isString())
    block.copyText = Bytes(copy.toString());
  result.block = std::move(block);
  return result;
}

std::string EncodeExtensionBlock(const ExtensionBlock& block, std::optional<std::string_view> text) {
  QJsonObject root;
  if (text) root.insert(QLatin1String("textSha256"), TextHash(*text));
  const QJsonObject scene = SceneSettingsJson(block.scene, true);
  if (!scene.isEmpty()) root.insert(QLatin1String("scene"), scene);
  QJsonArray graphs;
  for (const BlockGraph& graph : block.graphs) {
    QJsonObject entry;
    const QJsonObject settings = GraphSettingsJson(graph.extras, true);
    if (graph.record) {
      if (settings.isEmpty() && !graph.list) continue;
      entry.insert(QLatin1String("record"), static_cast<qint64>(*graph.record));
    } else {
      entry.insert(QLatin1String("recordText"), Latin1(graph.recordText));
      entry.insert(QLatin1String("checked"), graph.checked);
    }
    if (graph.list) entry.insert(QLatin1String("list"), static_cast<qint64>(*graph.list));
    if (!settings.isEmpty()) entry.insert(QLatin1String("settings"), settings);
    graphs.append(entry);
  }
  if (!graphs.isEmpty()) root.insert(QLatin1String("graphs"), graphs);
  if (!block.copyText.empty()) root.insert(QLatin1String("copy"), Latin1(block.copyText));

  const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Compact);
  std::string bytes(kBlockMagic);
  const auto length = static_cast<uint32_t>(json.size());
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((length >> (8 * i)) & 0xFF);
  bytes.append(json.constData(), static_cast<size_t>(json.size()));
  return bytes;
}

}  // namespace quillon
