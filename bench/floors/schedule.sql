-- A schedule or its preview: the table, and of every employee the name,
-- position, areas and each day's shifts, special marker and areas. An
-- all-areas run needs the same: every area is chosen from the same records.
BEGIN;
SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND name = 'Employees' COLLATE NOCASE;
SELECT name, type FROM pragma_table_info('Employees');
SELECT rowid FROM Employees ORDER BY rowid;
SELECT Fullname, position, area, Area2, Area3, Area4,
       monstart, monstop, MonSplitStart, MonSplitStop, MonSpecial, MonBldg, MonBldg1, MonBldg2,
       tuestart, tuestop, TueSplitStart, TueSplitStop, TueSpecial, TueBldg, TueBldg1, TueBldg2,
       wedstart, wedstop, WedSplitStart, WedSplitStop, WedSpecial, WedBldg, WedBldg1, WedBldg2,
       thustart, thustop, ThuSplitStart, ThuSplitStop, ThuSpecial, ThuBldg, ThuBldg1, ThuBldg2,
       fristart, fristop, FriSplitStart, FriSplitStop, FriSpecial, FriBldg, FriBldg1, FriBldg2,
       satstart, satstop, SatSplitStart, SatSplitStop, SatSpecial, SatBldg, SatBldg1, SatBldg2,
       sunstart, sunstop, SunSplitStart, SunSplitStop, SunSpecial, SunBldg, SunBldg1, SunBldg2
  FROM Employees ORDER BY rowid;
COMMIT;
