-- A schedule or its preview: the table, and of every employee the name,
-- position, areas and each day's shifts, special marker and areas. An
-- all-areas run needs the same: every area is chosen from the same records.
-- The same statements as the program sends to a PostgreSQL server.
@OPEN_TABLE@
SELECT row_id, "Fullname", "position", "area", "Area2", "Area3", "Area4", "monstart", "monstop",
       "MonSplitStart", "MonSplitStop", "MonSpecial", "MonBldg", "MonBldg1", "MonBldg2",
       "tuestart", "tuestop", "TueSplitStart", "TueSplitStop", "TueSpecial", "TueBldg",
       "TueBldg1", "TueBldg2", "wedstart", "wedstop", "WedSplitStart", "WedSplitStop",
       "WedSpecial", "WedBldg", "WedBldg1", "WedBldg2", "thustart", "thustop", "ThuSplitStart",
       "ThuSplitStop", "ThuSpecial", "ThuBldg", "ThuBldg1", "ThuBldg2", "fristart", "fristop",
       "FriSplitStart", "FriSplitStop", "FriSpecial", "FriBldg", "FriBldg1", "FriBldg2",
       "satstart", "satstop", "SatSplitStart", "SatSplitStop", "SatSpecial", "SatBldg",
       "SatBldg1", "SatBldg2", "sunstart", "sunstop", "SunSplitStart", "SunSplitStop",
       "SunSpecial", "SunBldg", "SunBldg1", "SunBldg2"
  FROM "Employees" WHERE row_id BETWEEN 1 AND @NUMBER@ ORDER BY row_id;
