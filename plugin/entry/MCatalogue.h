#pragma once

#include <memory>
#include <string>

#include "host_api/ITestContainer.h"
#include "host_api/ITestElement.h"
#include "host_api/IXmlService.h"

namespace plugin {

// The test element catalogue file: every element the plug-in offers, with its configuration,
// its limits per standard and the instrument test it runs.
//
//   <Catalogue>
//     <TemplateData>
//       <TestElement ClassName="orvelTRX440.CTestGroup" ID="900">
//         <Name LID="23100::Earth leakage"/> <Type LID="..."/> <ExpectedResult>...</ExpectedResult>
//         <TestElement ClassName="orvelTRX440.CTestSingle" ID="901">
//           <TRX440Test ID="8" PC="1"/> <Unit LID="...::A"/> ...
//         </TestElement>
//       </TestElement>
//     </TemplateData>
//   </Catalogue>
namespace MCatalogue {

// Reads the catalogue file at `path` into a new host test container, top-level elements in file
// order. A missing file, a file that cannot be read, and content that is not a catalogue raise
// the plug-in's catalogue errors naming the file.
std::shared_ptr<host_api::ITestContainer> LoadCatalogue(const std::string& path);

// Builds one element (with its children, for a group) from a "TestElement" node of the file at
// `path`; null when the class of the element is not available in this installation.
std::shared_ptr<host_api::ITestElement> CreateElementFromXml(const host_api::IXmlElement& node,
                                                             const std::string& path);

}  // namespace MCatalogue
}  // namespace plugin
