/* Chinese texts of the output program (UTF-8), for lang_ch.dll. */
#pragma once

#define CORVANE_TEXT_101 "关于 CORVANE-OUT..."
#define CORVANE_TEXT_102 "定位命令已发送到刻字机。现在开始切割吗？"
#define CORVANE_TEXT_103 "所选端口不是有效的COM或USB端口。"
#define CORVANE_TEXT_104 "CORVANE-OUT 已在运行。所有副本现已关闭，请从工具窗口重新发送作业。"
#define CORVANE_TEXT_105 "CORVANE 工具窗口未打开。请从工具窗口启动输出。"
#define CORVANE_TEXT_106 \
  "没有可切割的作业：作业文件 QuillonPro1.tmp 不存在。请先从工具窗口导出作业。"

/* {port}、{sent} 和 {total} 由程序填入。 */
#define CORVANE_TEXT_107 "{port}：已发送 {sent} / {total} 字节"
#define CORVANE_TEXT_108                                                                                                       \
  "{port} 上的刻字机仍在接收作业（已发送 {sent} / {total} "                                                     \
  "字节）。要停止切割吗？\n\n确定：停止切割并关闭 CORVANE-OUT。取消：继续切割，切割结束后 " \
  "CORVANE-OUT 自动关闭。"
#define CORVANE_TEXT_109                                                                         \
  "端口 {port} 无法中断正在写入的数据块；刻字机已接收 {sent} / {total} "    \
  "字节。刻字机接收完该数据块后发送即停止。\n\n要立即结束 CORVANE-OUT " \
  "吗？刻字机保留已接收的内容；之后须从工具窗口重新发送作业。"

/* Captions and labels of the dialogs in lang_ch.dll. */
/* 设置刀尖偏移时显示在预览下方；{miss} 由程序填入。 */
#define CORVANE_TEXT_120 "刀尖最大漏切：{miss} 毫米"

#define CORVANE_LABEL_CAPTION "CORVANE-OUT 输出"
#define CORVANE_LABEL_PORT "端口："
#define CORVANE_LABEL_BAUD "波特率："
#define CORVANE_LABEL_MACHINE "机型："
#define CORVANE_LABEL_ANGLE "尖角补偿（毫米）"
#define CORVANE_LABEL_CLOSED "闭合补偿（毫米）"
#define CORVANE_LABEL_ORDER "内部优先，最短空走"
#define CORVANE_LABEL_REFRESH "刷新列表(&R)"
#define CORVANE_LABEL_SPARE "预览(&V)"
#define CORVANE_LABEL_OUTPUT "输出(&O)"
#define CORVANE_LABEL_STOP "停止(&S)"
#define CORVANE_LABEL_OK "确定"
#define CORVANE_LABEL_CANCEL "取消"
#define CORVANE_LABEL_BLADE "刀偏："
#define CORVANE_LABEL_ABOUT_CAPTION "关于 CORVANE-OUT"
#define CORVANE_LABEL_ABOUT_TEXT "CORVANE-OUT 0.1：将刻字作业发送到刻字机。"
