#include <gtest/gtest.h>

#include "host/HostXmlService.h"
#include "platform/ComError.h"
#include "support/GermanLocale.h"
#include "support/TestFiles.h"

using platform::ComError;
using platform::Variant;
using platform::VariantType;

namespace {
class HostXmlServiceTest : public ::testing::Test {
 protected:
  // A document <PlugInData PlugIn="TRX440"><TestOptions Halt="True"/><Comment>a &lt; b</Comment>
  std::shared_ptr<host_api::IXmlDocument> sampleDocument() {
    auto doc = xml.createDocument();
    auto root = doc->createElement("PlugInData");
    root->setAttribute("PlugIn", "TRX440");
    auto options = doc->createElement("TestOptions");
    options->setAttribute("Halt", "True");
    root->appendChild(options);
    auto comment = root->appendChild(doc->createElement("Comment"));
    comment->setText("a < b & \"c\"");
    doc->setDocumentElement(root);
    return doc;
  }

  ComError loadError(const std::filesystem::path& path) {
    try {
      xml.loadDocument(path);
    } catch (const ComError& error) {
      return error;
    }
    ADD_FAILURE() << "loading " << path << " did not fail";
    return ComError(0, {}, {});
  }

  host::HostXmlService xml;
  TempDir dir;
};
}  // namespace

TEST_F(HostXmlServiceTest, ASavedDocumentLoadsBackWithItsTree) {
  sampleDocument()->save(dir / "data.xml");
  auto loaded = xml.loadDocument(dir / "data.xml");
  auto root = loaded->documentElement();
  ASSERT_TRUE(root);
  EXPECT_EQ(root->tagName(), "PlugInData");
  EXPECT_EQ(root->getAttribute("PlugIn"), "TRX440");
  EXPECT_EQ(root->getAttribute("Missing"), std::nullopt);
  EXPECT_EQ(root->childCount(), 2);
  EXPECT_TRUE(root->hasChildNodes());
  EXPECT_EQ(root->child(0)->tagName(), "TestOptions");
  EXPECT_EQ(root->child(2), nullptr);
  EXPECT_EQ(root->child(-1), nullptr);
  EXPECT_EQ(root->findChild("Comment")->text(), "a < b & \"c\"");
  EXPECT_EQ(root->findChild("Nothing"), nullptr);
  EXPECT_FALSE(root->child(0)->hasChildNodes());
  EXPECT_EQ(root->child(0)->ownerDocument(), loaded);
  EXPECT_EQ(loaded->toString(), sampleDocument()->toString());
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"data.xml"});
}

TEST_F(HostXmlServiceTest, ElementsStayValidWhereverTheyAreAppended) {
  auto doc = xml.createDocument();
  auto outer = doc->createElement("Group");
  auto inner = doc->createElement("Test");
  outer->appendChild(inner);  // both still unattached
  auto root = doc->createElement("Root");
  doc->setDocumentElement(root);
  root->appendChild(outer);
  inner->setAttribute("ID", "7");  // the object made before the moves still works
  EXPECT_EQ(doc->documentElement()->findChild("Group")->findChild("Test")->getAttribute("ID"), "7");
  EXPECT_EQ(doc->toString().find("unattached"), std::string::npos);

  // An element cannot go below itself; nothing of the tree changes.
  EXPECT_THROW(inner->appendChild(outer), ComError);
  EXPECT_EQ(root->childCount(), 1);

  // A new root replaces the old one; the old element object stays usable.
  auto newRoot = doc->createElement("NewRoot");
  doc->setDocumentElement(newRoot);
  EXPECT_EQ(doc->documentElement()->tagName(), "NewRoot");
  EXPECT_EQ(root->childCount(), 1);
}

TEST_F(HostXmlServiceTest, AnElementOfAnotherDocumentIsCopied) {
  auto source = sampleDocument();
  auto target = xml.createDocument();
  target->setDocumentElement(target->createElement("Copy"));
  auto copy = target->documentElement()->appendChild(source->documentElement()->child(0));
  copy->setAttribute("Halt", "False");
  EXPECT_EQ(source->documentElement()->child(0)->getAttribute("Halt"), "True");
  EXPECT_EQ(target->documentElement()->child(0)->getAttribute("Halt"), "False");
}

TEST_F(HostXmlServiceTest, NamesThatWouldMakeTheFileUnreadableAreRefused) {
  auto doc = xml.createDocument();
  EXPECT_THROW(doc->createElement(""), ComError);
  EXPECT_THROW(doc->createElement("two words"), ComError);
  EXPECT_THROW(doc->createElement("1st"), ComError);
  auto element = doc->createElement("Ok_1.a-b");
  EXPECT_THROW(element->setAttribute("a<b", "x"), ComError);
}

TEST_F(HostXmlServiceTest, TypedValuesReadBackWithTheirType) {
  auto doc = xml.createDocument();
  auto record = doc->createElement("Measurement");
  doc->setDocumentElement(record);
  const std::pair<const char*, Variant> values[] = {{"Empty", Variant()},
                                                    {"Long", Variant(int32_t(-3))},
                                                    {"Single", Variant(0.1f)},
                                                    {"Double", Variant(0.1)},
                                                    {"Text", Variant("<&> \"x\"")},
                                                    {"Blanks", Variant("   ")},
                                                    {"Yes", Variant(true)},
                                                    {"No", Variant(false)},
                                                    {"Big", Variant(1.7976931348623157e308)},
                                                    {"Null", Variant::null()},
                                                    {"Small", Variant(int16_t(-32768))}};
  for (const auto& [name, value] : values) xml.writeValue(*record, name, value);
  doc->save(dir / "values.xml");

  auto loaded = xml.loadDocument(dir / "values.xml")->documentElement();
  for (const auto& [name, value] : values) {
    auto read = xml.readValue(*loaded, name);
    ASSERT_TRUE(read) << name;
    EXPECT_EQ(*read, value) << name;
  }
  EXPECT_EQ(xml.readValue(*loaded, "Absent"), std::nullopt);
}

TEST_F(HostXmlServiceTest, TypedNumbersReadBackUnderAGermanLocale) {
  ScopedGermanLocale german;
  SKIP_UNLESS_INSTALLED(german);
  auto doc = xml.createDocument();
  auto record = doc->createElement("Measurement");
  xml.writeValue(*record, "Value", Variant(12.5f));
  EXPECT_EQ(record->findChild("Value")->text(), "12.5");
  EXPECT_EQ(xml.readValue(*record, "Value"), Variant(12.5f));
}

TEST_F(HostXmlServiceTest, WritingAValueAgainReplacesIt) {
  auto doc = xml.createDocument();
  auto record = doc->createElement("Measurement");
  xml.writeValue(*record, "Value", Variant(1.5));
  xml.writeValue(*record, "Value", Variant("now text"));
  EXPECT_EQ(record->childCount(), 1);
  EXPECT_EQ(xml.readValue(*record, "Value"), Variant("now text"));
  EXPECT_THROW(xml.writeValue(*record, "Object", Variant(std::make_shared<platform::Object>())),
               ComError);
}

TEST_F(HostXmlServiceTest, StoredValuesThatDoNotFitTheirTypeAreTypeMismatches) {
  auto doc = xml.loadDocumentFromString(
      "<M><A type=\"3\">12.5</A><B type=\"11\">yes</B><C type=\"99\">1</C><D type=\"x\">1</D>"
      "<E>plain</E><F type=\"5\"></F></M>");
  auto root = doc->documentElement();
  for (const char* name : {"A", "B", "C", "D", "F"}) {
    try {
      xml.readValue(*root, name);
      ADD_FAILURE() << name << " was read";
    } catch (const ComError& error) {
      EXPECT_EQ(error.number(), platform::RuntimeError::TypeMismatch);
      EXPECT_NE(error.description().find(std::string("\"") + name + "\""), std::string::npos);
    }
  }
  EXPECT_EQ(xml.readValue(*root, "E"), Variant("plain"));
}

TEST_F(HostXmlServiceTest, LoadErrorsNameTheFileTheLineAndTheReason) {
  ComError missing = loadError(dir / "missing.xml");
  EXPECT_EQ(missing.number(), platform::RuntimeError::FileNotFound);
  EXPECT_NE(missing.description().find("missing.xml"), std::string::npos);
  EXPECT_EQ(loadError(dir / "no-folder" / "a.xml").number(), platform::RuntimeError::FileNotFound);

  writeFile(dir / "broken.xml", "<?xml version=\"1.0\"?>\n<Root>\n  <A></B>\n</Root>\n");
  ComError broken = loadError(dir / "broken.xml");
  // A malformed file is a file error (52 to 76), as callers sorting file errors expect.
  EXPECT_EQ(broken.number(), platform::RuntimeError::PathFileAccess);
  EXPECT_NE(broken.description().find("broken.xml"), std::string::npos);
  EXPECT_NE(broken.description().find("line 3"), std::string::npos) << broken.description();
  EXPECT_NE(broken.description().find("mismatch"), std::string::npos) << broken.description();

  writeFile(dir / "empty.xml", "");
  EXPECT_EQ(loadError(dir / "empty.xml").number(), platform::RuntimeError::PathFileAccess);
  try {
    xml.loadDocumentFromString("<A>");
    ADD_FAILURE() << "a malformed text was read";
  } catch (const ComError& error) {
    EXPECT_EQ(error.number(), platform::RuntimeError::InvalidFileFormat);
  }

  std::filesystem::create_directory(dir / "folder.xml");
  EXPECT_EQ(loadError(dir / "folder.xml").number(), platform::RuntimeError::PathFileAccess);
}

TEST_F(HostXmlServiceTest, AnInterruptedSaveLeavesTheOldFileAndNoTemporaryFile) {
  auto path = dir / "data.xml";
  sampleDocument()->save(path);
  const std::string before = readFile(path);

  auto bigger = sampleDocument();
  for (int i = 0; i < 100; ++i) {
    bigger->documentElement()->appendChild(bigger->createElement("Padding"));
  }
  {
    FileSizeLimit limit(before.size() + 100);
    EXPECT_THROW(bigger->save(path), ComError);
  }
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"data.xml"});

  // A save that cannot replace the file (here a folder is in the way) leaves nothing behind.
  std::filesystem::create_directories(dir / "taken" / "inside");
  EXPECT_THROW(bigger->save(dir / "taken"), ComError);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"data.xml", "taken"}));

  bigger->save(path);
  EXPECT_EQ(xml.loadDocument(path)->documentElement()->childCount(), 102);
}
