#pragma once
// A test program can start itself again as a child process that runs one
// named action instead of the tests: the crash tests end such a child part
// way through its work, as a crash or a power cut would end the program.
#include <QProcessEnvironment>
#include <QString>
#include <functional>

using ChildAction = std::function<int()>;  // the child's exit code

// For a static registration in the test program that offers the action.
bool registerChildAction(const QString& name, ChildAction action);

// Called by main(): runs the action named in ROTAWISE_CHILD_ACTION and
// returns its exit code, or -1 when this process is not such a child.
int runChildActionIfAsked();

// The environment that makes a child run `action`.
QProcessEnvironment childEnvironment(const QString& action);
