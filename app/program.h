// The program entry: the fixed start-up sequence, then the front end.
#pragma once

// Makes every program-wide table at its size, as start-up does, so a test
// can begin from a fresh program state.
void MakeProgramTables();
// Runs start-up once, then the front-end loop; the program ends inside the
// closing screen. A second entry returns at once.
void ProgramEntry();
// The start-up sequence up to the front end.
void StartUp();
// Lets the test harness run the program again in the same process.
void AllowProgramReentry();
