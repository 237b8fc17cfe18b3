#pragma once
// What the program does in its data folder before any window reads the
// table: it finishes or undoes the work a crash or a power cut interrupted
// (saying in one "Ok!" box what it put back), and offers to convert an
// employee.mdb of an earlier installation.
void runStartUpChecks();
