#include "apps/orvel/Orvel.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

#include "apps/orvel/CatalogueCommand.h"
#include "apps/orvel/ReportCommand.h"
#include "apps/orvel/RunCommand.h"
#include "apps/orvel/TemplateCommands.h"
#include "platform/ComError.h"

namespace orvel {

namespace {

using Action = std::function<int()>;

// What the command line asked for, filled in by the parser; lives as long as the run.
struct Requests {
  CatalogueRequest catalogue;
  NewTemplateRequest create;
  ShowTemplateRequest show;
  SetOptionsRequest set;
  ReportRequest report;
  RunRequest run;
};

void addCatalogue(CLI::App& app, Requests& requests, Action& action, std::ostream& out) {
  auto& request = requests.catalogue;
  auto* cmd = app.add_subcommand("catalogue", "List the test elements the plug-in offers");
  cmd->add_flag("--json", request.json, "One JSON document instead of the tree");
  cmd->callback([&] { action = [&] { return CatalogueCommand(out).run(request); }; });
}

void addTemplateNew(CLI::App& parent, Requests& requests, Action& action, std::ostream& out) {
  auto& request = requests.create;
  auto* cmd = parent.add_subcommand("new", "Create a test template from catalogue elements");
  cmd->add_option("FILE", request.file, "The template file to create")->required();
  cmd->add_option("ID", request.ids, "Test ids of catalogue elements, in template order")
      ->required();
  cmd->add_option("--standard", request.standard,
                  "The test standard, as \"IEC 62353\" or \"IEC 60601-1\"");
  cmd->add_option("--class", request.deviceClass, "The device's protection class")
      ->check(CLI::IsMember({"I", "II"}));
  cmd->add_option("--device", request.device, "The device's name");
  cmd->add_option("--serial", request.serial, "The device's serial number");
  cmd->add_option("--modules", request.modules,
                  "The device's applied parts as name:class:leads joined by commas, for "
                  "example ECG:CF:3,SpO2:BF:1 (class B, BF, CF, NI or I; five leads in all)");
  cmd->add_flag("--force", request.force, "Replace FILE when it exists");
  cmd->callback([&] { action = [&] { return TemplateCommands(out).create(request); }; });
}

void addTemplateShow(CLI::App& parent, Requests& requests, Action& action, std::ostream& out) {
  auto& request = requests.show;
  auto* cmd = parent.add_subcommand("show", "Show a template's elements, options and results");
  cmd->add_option("FILE", request.file, "The template file")->required()->check(CLI::ExistingFile);
  cmd->add_flag("--json", request.json, "One JSON document instead of the tree");
  cmd->callback([&] { action = [&] { return TemplateCommands(out).show(request); }; });
}

void addTemplateSet(CLI::App& parent, Requests& requests, Action& action, std::ostream& out) {
  auto& request = requests.set;
  auto* cmd = parent.add_subcommand("set", "Set options of an element's configuration");
  cmd->add_option("FILE", request.file, "The template file")->required()->check(CLI::ExistingFile);
  cmd->add_option("ID", request.id, "The test id of the element")->required();
  cmd->add_option("NAME=VALUE", request.assignments,
                  "Options by name, as HaltOnTestFailure=False or IRDuration=5")
      ->required();
  cmd->callback([&] { action = [&] { return TemplateCommands(out).set(request); }; });
}

void addReport(CLI::App& app, Requests& requests, Action& action, std::ostream& out) {
  auto& request = requests.report;
  auto* cmd = app.add_subcommand("report", "Print a template's report");
  cmd->add_option("FILE", request.file, "The template file")->required()->check(CLI::ExistingFile);
  cmd->add_option("--html", request.html, "Write the report as an HTML page to this file");
  cmd->add_flag("--failed-only", request.failedOnly, "Only readings that failed");
  cmd->add_flag("--limits", request.limits, "Show the limits beside the readings");
  cmd->callback([&] { action = [&] { return ReportCommand(out).run(request); }; });
}

void addRunOptions(CLI::App& cmd, RunRequest& request) {
  cmd.add_option("FILE", request.file, "The template file; results are saved into it")
      ->required()
      ->check(CLI::ExistingFile);
  auto* port = cmd.add_option("--port", request.port,
                              "The analyzer's serial port: a device path (/dev/ttyUSB0, the path "
                              "trxsim prints) or a port number (3, COM3); default: the port the "
                              "settings assign to the TRX440");
  auto* simulate = cmd.add_option("--simulate", request.simulate,
                                  "Run against the simulated analyzer in this program, with this "
                                  "scenario (healthy, leakage-failure, ... or a .scn file)");
  simulate->excludes(port);
  cmd.add_flag("--real-time", request.realTime,
               "Pace the simulated analyzer like the instrument instead of on virtual time")
      ->needs(simulate);
  auto* answers = cmd.add_option("--answers", request.answers,
                                 "Answer the guide and every dialog from this answers file")
                      ->check(CLI::ExistingFile);
  cmd.add_flag("--unattended", request.unattended,
               "Answer from the shipped answers file (start each guide, confirm every prompt, "
               "keep failed results and go on)")
      ->excludes(answers);
  cmd.add_option("--report", request.report, "Write the HTML report to this file");
  cmd.add_flag("--json", request.json, "One JSON document of the results instead of the table");
}

void addRun(CLI::App& app, Requests& requests, Action& action, std::ostream& out, std::ostream& err,
            bool terminalInput) {
  auto& request = requests.run;
  auto* cmd = app.add_subcommand(
      "run",
      "Run a template against the analyzer with the test guide, saving results as they come");
  addRunOptions(*cmd, request);
  cmd->callback([&, terminalInput] {
    action = [&, terminalInput] { return RunCommand(out, err, terminalInput).run(request); };
  });
}

}  // namespace

int Orvel::main(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                bool terminalInput) {
  CLI::App app{
      "Test templates for the TRX440 safety analyzer: the catalogue of test elements, "
      "templates built from it, their options, their runs and their reports."};
  app.name("orvel");
  app.require_subcommand(1);
  Requests requests;
  Action action;
  addCatalogue(app, requests, action, out);
  auto* templates = app.add_subcommand("template", "Create, show and change test templates");
  templates->require_subcommand(1);
  addTemplateNew(*templates, requests, action, out);
  addTemplateShow(*templates, requests, action, out);
  addTemplateSet(*templates, requests, action, out);
  addReport(app, requests, action, out);
  addRun(app, requests, action, out, err, terminalInput);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e, out, err);
    return code == 0 ? kExitSuccess : kExitUsage;
  }
  try {
    return action ? action() : kExitUsage;
  } catch (const platform::ComError& e) {
    err << "orvel: " << e.description() << '\n';
  } catch (const std::exception& e) {
    err << "orvel: " << e.what() << '\n';
  }
  return kExitUsage;
}

}  // namespace orvel
