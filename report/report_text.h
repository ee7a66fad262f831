#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "engine/loading_steps.h"

namespace varnel {

// The report's lines and table cells, as the PDF prints them.

QString plan_line(const loading_report& r);       // 方案：… （标准计算）
QString container_line(const loading_report& r);  // 集装箱：40尺柜
QString size_line(const loading_report& r);  // 内尺寸（长 × 宽 × 高）：…；载重：…
QString order_line(const loading_report& r);  // 本订单共需 3 个集装箱

// Cartons and steps, utilisation, weight and centre of gravity.
QStringList figure_lines(const loading_report& r, const report_load& load,
                         const loading_instructions& order);

QStringList header_cells(std::initializer_list<const char*> captions);
QStringList type_cells(const report_carton& t, std::int64_t cartons);
QStringList load_cells(const report_load& load);

QString step_title(std::size_t index);          // 第 3 步
QString pallet_layer_title(std::size_t layer);  // 第1层（俯视）
// 包装箱, 数量, 摆放, 每箱, 起点 (three lines), 累计.
QStringList step_lines(const loading_report& r, const loading_step& step, std::int64_t total);

// "第2面墙：距里端 106–212 cm"; `wall` counted from 0.
QString wall_heading(std::size_t wall, const wall_span& span);
// Which step breaks which rule, when the plan admits no order from the door.
QString order_fault_line(const order_check& check);

QString page_text(int number, int count);  // 第 2 页 / 共 5 页

// Millimetres as whole centimetres, as a tape measure reads them ("120 cm"),
// and kilograms ("2500 千克").
QString cm(double millimetres);
QString kg(double kilograms);

}  // namespace varnel
