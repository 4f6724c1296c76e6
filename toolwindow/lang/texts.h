/* The tool window's texts, once for every program that shows them: the
   portable string table includes this header, and so will the resource
   script of the Win32 programs. Plain preprocessor definitions only, so the
   resource compiler reads it as well as C++ does.

   CORVANE_TOOL_TEXTS(X) calls X(nn, English, Chinese) for every text
   number nn; the string-table entry of a text is 1nn in Chinese and 2nn in
   English (paste the digits: 1##nn, 2##nn). UTF-8. A resource script
   expands it like this (windres, with #pragma code_page(65001)):

     #define CORVANE_TOOL_TEXT_ENTRIES(nn, en, ch) 1##nn, ch 2##nn, en
     STRINGTABLE
     BEGIN
       CORVANE_TOOL_TEXTS(CORVANE_TOOL_TEXT_ENTRIES)
     END */
#pragma once

/* clang-format off */
#define CORVANE_TOOL_TEXTS(X)                                                    \
  X(01, "Trace Contour", "提取轮廓")                                             \
  X(02, "Please Create or open a corelDRAW document!", "请新建CorelDRAW文档！")  \
  X(03, "Please select a object!", "请选择要操作的对象！")                       \
  X(04, "Cut Contour", "轮廓切割功能")                                           \
  X(05, "Please check the Outside value!", "请检查轮廓向外拓展值是否正确！")     \
  X(06, "Contour outside offset settings", "轮廓向外拓展")                       \
  X(07, "Outside Offset:", "向外拓展：")                                         \
  X(08, "mm", "毫米")                                                            \
  X(09, "Trace Contour", "提取轮廓")                                             \
  X(10, "Add Mark", "添加Mark")                                                  \
  X(11, "Mark settings", "Mark参数设置")                                         \
  X(12, "Use multiple mark", "启用多Mark")                                       \
  X(13, "Mark distance", "Mark分段长度")                                         \
  X(14, "Mark number", "Mark分段数目")                                           \
  X(15, "Add mark failed,please check if the contour exists!",                   \
    "添加Mark出错，请检查是否已生成轮廓！")                                      \
  X(16, "Tracing contour failed!Please select the correct object!",              \
    "提取轮廓失败！请确保已正确选中所要操作的对象！")                            \
  X(17, "Cut Contour", "轮廓输出")                                               \
  X(18, "Please check if the contour exists!", "输出失败，请检查是否生成轮廓！") \
  X(19, "Error in division number!", "分段数目设置不正确或无需分段！")           \
  X(20, "Delete contour", "删除轮廓")                                            \
  X(21, "Lack output plugin,please install the full plugin!",                    \
    "输出插件损坏，请重新安装完整插件！")                                        \
  X(22, "Language", "语言设置")                                                  \
  X(23, "Cut/Plot", "切割输出")                                                  \
  X(24, "Please select the output object(s)!", "请选定要输出的对象！")           \
  X(25, "%1 failed: %2", "%1 失败：%2")                                          \
  X(26, "the drawing application is running hidden; show it and press again",    \
    "绘图软件正在隐藏运行；请将其显示后再按一次")                                \
  X(27, "the drawing application was closed or stopped answering",               \
    "绘图软件已关闭或不再响应")                                                  \
  X(28, "the drawing application is not running or cannot be reached",           \
    "绘图软件未运行或无法连接")
/* clang-format on */

/* Captions that are not language texts and never change (the main
   window's is in common/job_contract.h: the output program looks for it). */
#define CORVANE_TOOL_TRACE_CAPTION "Trace-Settings"
#define CORVANE_TOOL_WAIT_CAPTION "Wait..."

/* The language button names the language it switches to. */
#define CORVANE_TOOL_SWITCH_TO_ENGLISH "英文"
#define CORVANE_TOOL_SWITCH_TO_CHINESE "CH"
