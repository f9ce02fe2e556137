#pragma once
// Other parsers as oracles: KaTeX and Temml (node, from the lockfile in validators/) for
// LaTeX, the Typst compiler for Typst, MathJax for AsciiMath, xmllint with the W3C MathML 3
// DTD for MathML, and a structural comparison of two MathML texts.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <optional>

#include "interchange/MathAlphabets.h"

inline const QString ValidatorDir = QStringLiteral(ZELK_TEST_SOURCE_DIR "/interchange/validators");
inline const QString MathMLDtd =
    QStringLiteral("/usr/share/xml/w3c-sgml-lib/schema/dtd/REC-MathML3-20101021/mathml3.dtd");

struct TLatexCheck {
  QString KatexError;
  QString TemmlError;
  QString TemmlMathML;
};

// Whether the validators are installed (tools/test.sh runs npm ci); Why says what is missing.
inline bool ValidatorsInstalled(QString& Why) {
  for (const char* Package : {"katex", "temml", "mathjax-full", "@myriaddreamin/typst-ts-node-compiler"})
    if (!QFile::exists(ValidatorDir + "/node_modules/" + Package + "/package.json")) {
      Why = QStringLiteral("%1 is not installed: run npm ci in %2 (tools/test.sh does)").arg(Package, ValidatorDir);
      return false;
    }
  if (!QFile::exists(MathMLDtd)) {
    Why = "the MathML 3 DTD is missing: install w3c-sgml-lib (tools/install-deps.sh)";
    return false;
  }
  return true;
}

// One node run for all texts; an empty list when node fails.
inline std::vector<TLatexCheck> CheckLatex(const QStringList& Texts, bool Inline = false) {
  QTemporaryDir Dir;
  QFile Input(Dir.filePath("input.json"));
  Input.open(QIODevice::WriteOnly);
  Input.write(QJsonDocument(QJsonArray::fromStringList(Texts)).toJson(QJsonDocument::Compact));
  Input.close();
  QProcess Node;
  Node.setWorkingDirectory(ValidatorDir);
  QStringList Arguments{ValidatorDir + "/check.js", Input.fileName()};
  if (Inline) Arguments << "inline";
  Node.start("node", Arguments);
  Node.waitForFinished(300000);
  std::vector<TLatexCheck> Result;
  for (const QJsonValue& Value : QJsonDocument::fromJson(Node.readAllStandardOutput()).array()) {
    const QJsonObject Object = Value.toObject();
    Result.push_back({Object["katex"].toString(), Object["temml"].toString(), Object["mathml"].toString()});
  }
  return Result;
}

// The MathML Temml and KaTeX write for each formula (text, display), "" where one refuses
// it; one node run for all. An empty list when node fails.
struct TProducedMathML {
  QString Temml;
  QString Katex;
};
inline std::vector<TProducedMathML> ProducerMathML(const std::vector<std::pair<QString, bool>>& Formulas) {
  QJsonArray Input;
  for (const auto& [Text, Display] : Formulas) Input.append(QJsonArray{Text, Display});
  QTemporaryDir Dir;
  QFile File(Dir.filePath("input.json"));
  File.open(QIODevice::WriteOnly);
  File.write(QJsonDocument(Input).toJson(QJsonDocument::Compact));
  File.close();
  QProcess Node;
  Node.setWorkingDirectory(ValidatorDir);
  Node.start("node", {ValidatorDir + "/producers.js", File.fileName()});
  Node.waitForFinished(300000);
  std::vector<TProducedMathML> Result;
  for (const QJsonValue& Value : QJsonDocument::fromJson(Node.readAllStandardOutput()).array())
    Result.push_back({Value.toObject()["temml"].toString(), Value.toObject()["katex"].toString()});
  return Result;
}

// What a script of validators/ prints for a JSON input, parsed; an empty array when node fails.
inline QJsonArray RunValidator(const QString& Script, const QJsonArray& Input) {
  QTemporaryDir Dir;
  QFile File(Dir.filePath("input.json"));
  File.open(QIODevice::WriteOnly);
  File.write(QJsonDocument(Input).toJson(QJsonDocument::Compact));
  File.close();
  QProcess Node;
  Node.setWorkingDirectory(ValidatorDir);
  Node.start("node", {ValidatorDir + "/" + Script, File.fileName()});
  Node.waitForFinished(600000);
  return QJsonDocument::fromJson(Node.readAllStandardOutput()).array();
}

// The Typst compiler's diagnostics for each document, "" where it has none; an empty list
// when node fails.
inline QStringList TypstDiagnostics(const QStringList& Documents) {
  QStringList Result;
  for (const QJsonValue& Value : RunValidator("typst.js", QJsonArray::fromStringList(Documents))) Result << Value.toString();
  return Result;
}

// xmllint's complaints about the documents, checked in one run; empty when all are valid.
// Each document stands on a line of its own: line N is document N - 3.
inline QString ValidateMathML(const QStringList& Documents) {
  QTemporaryDir Dir;
  QFile Dtd(Dir.filePath("batch.dtd"));
  Dtd.open(QIODevice::WriteOnly);
  Dtd.write(QStringLiteral("<!ENTITY % mathml3 SYSTEM \"file://%1\">\n%mathml3;\n<!ELEMENT zelk-batch (math)*>\n")
                .arg(MathMLDtd)
                .toUtf8());
  Dtd.close();
  QFile Batch(Dir.filePath("batch.xml"));
  Batch.open(QIODevice::WriteOnly);
  Batch.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<zelk-batch>\n");
  for (const QString& Document : Documents) Batch.write(Document.toUtf8() + "\n");
  Batch.write("</zelk-batch>\n");
  Batch.close();
  QProcess Lint;
  Lint.start("xmllint", {"--noout", "--dtdvalid", Dtd.fileName(), Batch.fileName()});
  Lint.waitForFinished(300000);
  if (Lint.exitStatus() != QProcess::NormalExit || Lint.error() == QProcess::FailedToStart) return "xmllint did not run";
  return Lint.exitCode() == 0 ? QString() : QString::fromUtf8(Lint.readAllStandardError());
}

// The layout structure of a MathML text: schemata with their argument groups, token
// characters one by one; rows, styles, padding, spacing, annotations and invisible
// operators leave no trace.
inline QString MathMLStructure(const QString& Text) {
  QXmlStreamReader Xml(Text);
  struct TFrame {
    QString Name;
    QStringList Items;
    QString Text;
    QString Variant;
  };
  std::vector<TFrame> Stack{{"", {}, {}, {}}};
  const QStringList Transparent{"math", "mrow", "mstyle", "mpadded", "semantics"};
  const QStringList Tokens{"mi", "mn", "mo", "mtext"};
  int Skip = 0;
  while (!Xml.atEnd()) {
    const auto Token = Xml.readNext();
    if (Token == QXmlStreamReader::StartElement) {
      const QString Name = Xml.name().toString();
      if (Skip || Name == "annotation" || Name == "mspace") {
        ++Skip;
        continue;
      }
      // A style's mathvariant holds for the tokens inside it that set none.
      const QString Variant = Xml.attributes().value("mathvariant").toString();
      Stack.push_back({Name, {}, {}, Variant.isEmpty() ? Stack.back().Variant : Variant});
    } else if (Token == QXmlStreamReader::EndElement) {
      if (Skip) {
        --Skip;
        continue;
      }
      TFrame Frame = std::move(Stack.back());
      Stack.pop_back();
      TFrame& Parent = Stack.back();
      // A token nested in a token (Temml wraps some operators twice) gives its text up.
      if (Tokens.contains(Frame.Name) && Tokens.contains(Parent.Name)) {
        Parent.Text += Frame.Text;
        continue;
      }
      QStringList Produced;
      if (Tokens.contains(Frame.Name)) {
        // A styled letter is the same written as a character or as a plain one with its
        // mathvariant; Temml writes a minus sign for the hyphen.
        const std::optional<TMathAlphabet> Alphabet = AlphabetByVariant(Frame.Variant);
        for (char32_t C : Frame.Text.trimmed().toUcs4()) {
          if (C >= 0x2061 && C <= 0x2064) continue;
          if (Alphabet && StyledCharacter(*Alphabet, C)) C = StyledCharacter(*Alphabet, C);
          if (C == 0x2212) C = U'-';
          Produced << QString::fromUcs4(&C, 1);
        }
      } else if (Transparent.contains(Frame.Name)) {
        Produced = Frame.Items;
      } else if (Frame.Name != "mtr" || Frame.Items.count("[mtd()]") != Frame.Items.size()) {
        // (A row of empty cells is no row, and empty cells at a row's end are none.)
        while (Frame.Name == "mtr" && !Frame.Items.isEmpty() && Frame.Items.back() == "[mtd()]") Frame.Items.removeLast();
        Produced << Frame.Name + "(" + Frame.Items.join(" ") + ")";
      }
      // Each argument of a schema is one group, however many rows it took; an empty
      // group is none.
      if (Produced.isEmpty()) continue;
      if (!Parent.Name.isEmpty() && !Transparent.contains(Parent.Name))
        Parent.Items << "[" + Produced.join(" ") + "]";
      else
        Parent.Items += Produced;
    } else if (Token == QXmlStreamReader::Characters && !Skip) {
      Stack.back().Text += Xml.text();
    }
  }
  return Stack.front().Items.join(" ");
}
