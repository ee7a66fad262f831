-- The catalogue as delivered. Sizes are millimetres; the windows show them
-- in centimetres. Container types with ji_flage 1 are built in: listed and
-- chosen like the user's own, never changed or deleted. The container list
-- chooses 40尺柜 by default, so it must stay here. This script makes the
-- catalogue's first version; the pallet types and whatever else came later
-- are added by the catalogue's upgrade steps (catalogue/catalogue_schema.cpp),
-- the same steps that bring a user's older catalogue up to date.

CREATE TABLE jicicun (
    ji_name TEXT,
    ji_x REAL,      -- inner length
    ji_y REAL,      -- inner width
    ji_z REAL,      -- inner height
    ji_load INTEGER, -- payload, kg; 0: not known
    ji_flage INTEGER
);

CREATE TABLE bao_stream (
    bao_name TEXT,
    bao_a REAL,     -- length
    bao_b REAL,     -- width
    bao_c REAL      -- height
);

-- Usual published inner sizes. ji_load is the typical maximum payload in kg:
-- the ISO 668 maximum gross mass of 30480 kg less a typical tare (20尺 2300,
-- 40尺 3750, 40尺高 3940, 45尺高 4820, 20尺冷藏 3080, 40尺冷藏高 4800,
-- 20尺开顶 2360, 40尺开顶 3900). A user's own type holds 0: not known.
INSERT INTO jicicun VALUES ('20尺柜', 5896, 2350, 2393, 28180, 1);
INSERT INTO jicicun VALUES ('40尺柜', 12032, 2350, 2392, 26730, 1);
INSERT INTO jicicun VALUES ('40尺高柜', 12032, 2350, 2697, 26540, 1);
INSERT INTO jicicun VALUES ('45尺高柜', 13556, 2347, 2696, 25660, 1);
INSERT INTO jicicun VALUES ('20尺冷藏柜', 5440, 2280, 2180, 27400, 1);
INSERT INTO jicicun VALUES ('40尺冷藏高柜', 11590, 2285, 2400, 25680, 1);
INSERT INTO jicicun VALUES ('20尺开顶柜', 5890, 2340, 2380, 28120, 1);
INSERT INTO jicicun VALUES ('40尺开顶柜', 12030, 2340, 2380, 26580, 1);

-- Common export cartons, every side at least 150 mm as the calculation needs.
INSERT INTO bao_stream VALUES ('标准出口纸箱 60×40×40', 600, 400, 400);
INSERT INTO bao_stream VALUES ('标准出口纸箱 60×40×30', 600, 400, 300);
INSERT INTO bao_stream VALUES ('大号纸箱 70×50×50', 700, 500, 500);
INSERT INTO bao_stream VALUES ('中号纸箱 50×40×35', 500, 400, 350);
INSERT INTO bao_stream VALUES ('小号纸箱 40×30×25', 400, 300, 250);
INSERT INTO bao_stream VALUES ('家电纸箱 58.5×38.5×45', 585, 385, 450);
INSERT INTO bao_stream VALUES ('鞋类外箱 62×35×40', 620, 350, 400);
