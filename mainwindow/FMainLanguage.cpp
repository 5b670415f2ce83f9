#include "mainwindow/FMainLanguage.h"

#include <cstddef>
#include <iterator>

namespace {

// One row per key, in table order. Section is the comment line that opens a
// group before the key, empty inside a group. Both tables are built from
// these rows, so they hold the same keys under the same comments.
struct TLanguageRow {
  std::string_view Section;
  std::string_view Key;
  std::string_view English;
  std::string_view Simplified;
};

constexpr std::string_view FirstLine = "//---------------------- Menu ------------------------";

// clang-format off
constexpr TLanguageRow LanguageRows[] = {
    {"//------ File ------", "SID_FILE", "File", "文件"},
    {"", "SID_OPEN", "Open", "打开"},
    {"", "SID_SAVE", "Save", "保存"},
    {"", "SID_UPLOAD", "Upload", "上传"},
    {"", "SID_DOWNLOAD", "Download", "下载"},
    {"", "SID_RETRUN_FACTORY", "Factory Default", "恢复出厂设置"},
    {"", "SID_FILE_EXIT", "Exit", "退出"},
    {"", "SID_EXIT", "Exit", "退出"},
    {"", "SID_SET", "Set", "设置"},
    {"//------ Block Diagram ------", "SID_BLOCK", "Diagram", "框图"},
    {"//------- Connect ------", "SID_DISCONNECT", "Disconnect", "断开机器"},
    {"", "SID_CONNECT", "Connect", "连接机器"},
    {"", "SID_CONNECT_HELP", "Connect Help", "连接帮助"},
    {"//------ Lock ------", "SID_LOCK", "Lock", "锁定"},
    {"", "SID_LOCK_SETUP", "Lock", "锁定"},
    {"//------ Work Status ------", "SID_WORK_STATUS", "Working Status", "工作状态"},
    {"", "SID_WORK_STATUS_HELP", "Working Status Help", "工作状态帮助"},
    {"", "SID_MEMORIZE", "Memorize", "记忆"},
    {"", "SID_FORGET", "Forget", "不记忆"},
    {"", "SID_U01", "U01", "U01"},
    {"//------ Setting ID ------", "SID_SET_ID_TITLE", "ID Number Select", "ID号选择"},
    {"", "SID_INPUT_ID", " Input ID Number", " 输入ID号"},
    {"", "SID_SET_ID", "Setting ID", "设定ID"},
    {"", "SID_ID_NUMBER_ERROR", "ID Setting Error", "ID设定超出范围"},
    {"//---- Setup Network---", "SID_SET_NETWORK", "Setting ID/IP", "设定ID/IP"},
    {"", "SID_MANU_NETWORK", "Manual Setting", "手动设定"},
    {"", "SID_AUTO_NETWORK", "Auto Setting", "自动设定"},
    {"", "SID_IP_ADDRESS", " Input IP Address", " 输入IP地址"},
    {"", "SID_IP_NUMBER", "Number :", "编号 :"},
    {"//---- Setup ChNameList---", "SID_CH_NAME_LIST", "Channel Name", "通道名称"},
    {"//------ Test Tone ------", "SID_TEST_TONE", "Test Tone", "测试信号"},
    {"", "SID_TEST_TITLE", "Input Signal Select", "输入信号选择"},
    {"", "SID_ANALOG_IN", "Analog Input", "模拟输入"},
    {"", "SID_PINK_IN", "Pink Noise", "粉红噪声"},
    {"", "SID_WHITE_IN", "White Noise", "白噪声"},
    {"", "SID_SINE_IN", "Sine Wave", "正弦波"},
    {"//------ Link ------", "SID_LINK", "Link", "联调"},
    {"", "SID_LINK_TITLE", "Link Selection", "联调选择"},
    {"//------ Copy ------", "SID_COPY", "Copy", "复制"},
    {"", "SID_COPY_TITLE", "Channel Copy", "通道复制"},
    {"//------ Langeuage ------", "SID_LANGUAGE", "语言", "Language"},
    {"", "SID_CHINESE_SIMPLIFIED", "中文", "中文"},
    {"", "SID_CHINESE_TRODITIONAL", "Troditional Chinese", "Troditional Chinese"},
    {"", "SID_ENGLISH", "English", "English"},
    {"//------ Help ------", "SID_HELP", "Help", "帮助"},
    {"", "SID_INFRARED_CODE", "Infrared Code Table", "红外代码表"},
    {"", "SID_RS232_CODE", "RS232 Code Table", "232通讯协议代码表"},
    {"//------ About ------", "SID_ABOUT", "About", "关于"},
    {"//---------------  Function Button -------------------", "SID_ONLINE", "OnLine", "已连机"},
    {"", "SID_OFFLINE", "OffLine", "未连机"},
    {"//----------------  Preset Button --------------------", "SID_PST_NAME", "Name", "名称"},
    {"", "SID_PST_NUM", "Number", "编号"},
    {"", "SID_BT_STORE", "Store", "存储"},
    {"", "SID_BT_RECALL", "Recall", "调用"},
    {"//----------------  Channel Button --------------------", "SID_CH_NAME", "Channel Name", "通道名称"},
    {"//------------------  Effect -------------------------", "SID_MIC_FBQ", "FBQ", "反馈抑制"},
    {"", "SID_MIC_FBT0", "Close", "关闭"},
    {"", "SID_MIC_FBT1", "Level 1", "1级"},
    {"", "SID_MIC_FBT2", "Level 2", "2级"},
    {"", "SID_MIC_FBT3", "Level 3", "3级"},
    {"", "SID_MIC_FBT4", "Level 4", "4级"},
    {"", "SID_SETUP", "Set", "设置"},
    {"", "SID_EFF_EQ_TITLE", "  PEQ      Frequency            Q                Gain             Type             Bypass", "  PEQ      频率                 Q                增益             类型             旁通"},
    {"", "SID_EFF_MIX", "AutoMix", "自动混音"},
    {"", "SID_EFFECT", "Effect", "效果"},
    {"", "SID_EFF_COMP", "Comp", "压缩"},
    {"", "SID_ON", "On", "开"},
    {"", "SID_OFF", "Off", "关"},
    {"", "SID_EFF_CAMERA", "Camera", "摄像跟踪"},
    {"//----------------  Effect Parameter -----------------------", "SID_EFFECT_TITLE", "Effect Setting", "效果设置"},
    {"", "SID_ECHO", "Echo", "回声"},
    {"", "SID_ECHO_REPEAT", "Repeat", "重复"},
    {"", "SID_ECHO_DELAY", "Delay", "延时"},
    {"", "SID_ECHO_PREDLY", "PreDelay", "预延时"},
    {"", "SID_RVB", "Reverb", "混响"},
    {"", "SID_RVB_TIME", "Time", "时间"},
    {"", "SID_RVB_PREDLY", "Predelay", "预延时"},
    {"", "SID_RVB_REFLECT", "Reflect", "反射"},
    {"", "SID_EFF_VOL", "Gain", "增益"},
    {"//---------------  GainLink Parameter --------------------", "SID_GROUP_CTRL_TITLE", "Group Control Setting", "编组控制设置"},
    {"", "SID_SUB_CTRL_TITLE", "Sub Control Setting", "子控制设置"},
    {"", "SID_GROUP_CTRL", "Group Control", "编组控制"},
    {"", "SID_SUB_CTRL", "Sub Control", "子控制"},
    {"", "SID_GROUP", "Group", "编组"},
    {"//---------------  AutoMix Parameter --------------------", "SID_AUTOMIX_TITLE", "AutoMix Setting", "自动混音设置"},
    {"", "SID_AUTOMIX", "Gain", "增益"},
    {"", "SID_AUTOMIX_SLOP", "Slop", "斜率"},
    {"//---------------  Camera Parameter --------------------", "SID_CAMERA_TITLE", "Camera Setting", "摄像跟踪设置"},
    {"", "SID_CAMERA_POS", "Position", "预置位"},
    {"", "SID_CAMERA_DEFAULT", "Default", "默认"},
    {"//--------------------  InA --------------------------", "SID_PANEL_INA", "InA", "输入A"},
    {"", "SID_PANEL_INB", "InB", "输入B"},
    {"", "SID_PANEL_INC", "InC", "输入C"},
    {"", "SID_PANEL_IND", "InD", "输入D"},
    {"", "SID_PARAM_KEY", "Frequency  ( ← / → )      Q(＋/－)     Gain (  ↑ / ↓  )", "频率  ( ← / → )      Q(＋/－)     增益 (  ↑ / ↓  )"},
    {"", "SID_GAIN", "Gain", "增益"},
    {"", "SID_PHASE_ON", "Inverse", "反相"},
    {"", "SID_PHASE_OFF", "Normal", "正相"},
    {"", "SID_POTENT_MIC", "Mic", "话筒"},
    {"", "SID_POTENT_LINE", "Line", "线路"},
    {"", "SID_EQ_PARAM", "PEQ Parameter", "均衡参数"},
    {"", "SID_EQ_FREQ", "Freq", "频率"},
    {"", "SID_EQ_BW", "Q", "Q"},
    {"", "SID_EQ_GAIN", "Gain", "增益"},
    {"", "SID_EQ_PARAM_TITLE", "  PEQ       Frequency                Q                     Gain                  Type                 Bypass", "  PEQ       频率                     Q                     增益                  类型                 旁通"},
    {"", "SID_HPF", "HighPass", "高通"},
    {"", "SID_HLP_SLOP", "Slope", "斜率"},
    {"", "SID_HLP_BYPASS", "Bypass", "旁通"},
    {"", "SID_LPF", "LowPass", "低通"},
    {"", "SID_SHOW_ALL_EQ", "SHOW ALL EQ", "显示全部均衡"},
    {"", "SID_MUTE", "Mute", "静音"},
    {"//---- InA FFT ----", "SID_RESET_EQ", "EQ Reset", "均衡重置"},
    {"", "SID_BYPASS_EQ", "EQ Bypass", "均衡旁通"},
    {"", "SID_IN", "Input", "输入"},
    {"", "SID_OUT", "Output", "输出"},
    {"", "SID_CH_SELECT", "Select", "选择"},
    {"//---- Delay -----", "SID_DELAY_UNIT", "Unit", "单位"},
    {"", "SID_UNIT_MS", "ms", "毫秒"},
    {"", "SID_UNIT_M", "m", "米"},
    {"", "SID_UNIT_FT", "ft", "英尺"},
    {"", "SID_IN_DELAY", "Input Delay", "输入延时"},
    {"", "SID_OUT_DELAY", "Output Delay", "输出延时"},
    {"//---- COMP -----", "SID_COMP_LED", "Active", "启动"},
    {"", "SID_COMP_TITLE", "Compressor Setting", "压缩器设置"},
    {"", "SID_GATE", "Gate", "噪声门"},
    {"", "SID_COMP", "Compressor", "压缩器"},
    {"", "SID_COMP_THRESHOLD", "Threshold", "阈值"},
    {"", "SID_COMP_ATTACK", "Attack", "启动时间"},
    {"", "SID_COMP_RELEASE", "Release", "释放时间"},
    {"", "SID_COMP_RATIO", "Ratio", "压缩比"},
    {"// EQ Type", "SID_EQ_TYPE0", "Peak", "峰值"},
    {"", "SID_EQ_TYPE1", "Low Shelf", "低架"},
    {"", "SID_EQ_TYPE2", "High Shelf", "高架"},
    {"", "SID_EQ_TYPE3", "Low Pass", "低通"},
    {"", "SID_EQ_TYPE4", "High Pass", "高通"},
    {"", "SID_EQ_TYPE5", "Allpass1", "全通1"},
    {"", "SID_EQ_TYPE6", "Allpass2", "全通2"},
    {"// BYPASS", "SID_EQ_BYPASS", "Bypass", "旁通"},
    {"//------ Process Form ------", "SID_PROCESS", "Process", "处理"},
    {"", "SID_UPLOAD_PRESET", "Upload preset now , please wait...", "上传预设中 , 请稍候..."},
    {"", "SID_DOWNLOAD_PRESET", "Download preset now , please wait...", "下载预设中 , 请稍候..."},
    {"", "SID_STORE_PRESET", "Store preset now , please wait...", "存储预设中 , 请稍候..."},
    {"", "SID_LOAD_PRESET", "Load preset now , please wait...", "调用预设中 , 请稍候..."},
    {"", "SID_UPLOAD_PARAMETER", "Upload parameters now , please wait...", "上传参数中 , 请稍候..."},
    {"//------ Network Scan Form ------", "SID_START_SCAN", "Scaning", "正在扫描"},
    {"", "SID_DEMO", "Demo", "演示"},
    {"", "SID_SCAN_NET", "Scan Ethernet", "扫描网络"},
    {"", "SID_SCAN_USB", "Scan USB", "扫描USB"},
    {"", "SID_SCAN", "Scaning", "正在扫描"},
    {"", "SID_NO_DEVICE", "No Device found.", "未发现USB硬件，确认进入演示模式。"},
    {"", "SID_LINK_BROKEN", "Link Broken", "软件已断开连机"},
    {"//------ Exit Form ------", "SID_EXIT_QUIT", "Are you sure to quit ?", "您确定要退出吗 ?"},
    {"", "SID_EXIT_OK", "OK", "确定"},
    {"", "SID_EXIT_CANCEL", "Cancel", "取消"},
    {"//------ PeqRst Form ------", "SID_PEQRST", "Information", "讯息"},
    {"", "SID_PEQRST_RESET", "Are you sure to RESET EQ ?", "您确定要重置均衡吗 ?"},
    {"", "SID_PEQRST_OK", "OK", "确定"},
    {"", "SID_PEQRST_CANCEL", "Cancel", "取消"},
    {"", "SID_NUMBER", "  Number", "  编号"},
    {"", "SID_NAME", "    Name", "    名称"},
    {"//------ Store Form ------", "SID_RECALL_PRESET", "Recall Preset", "调用预设"},
    {"", "SID_SAVE_PRESET", "Store Preset", "存储预设"},
    {"", "SID_CANCEL", "Cancel", "取消"},
    {"//------ Lock Form ------", "SID_LOCK_TITLE", "Lock Setting", "锁定设置"},
    {"", "SID_LOCK_PASSWORD", "Lock Password", "锁定密码"},
    {"//------ UnLock Form ------", "SID_UNLOCK_TITLE", "UnLock Setting", "解锁设置"},
    {"", "SID_UNLOCK_PASSWORD", "UnLock Password", "解锁密码"},
    {"", "SID_INFO_TITLE", "Information", "讯息"},
    {"//------ Information ------", "SID_INFO_CON_FIRST", "You Must Connect First !!", "请先连接机台 !!"},
    {"", "SID_INFO_NO_SAVE_EXIST", "No Saving Preset Exist !!", "无预设可上传 !!"},
    {"", "SID_INFO_ERROR_CMD", "Error Command !!", "无效命令 !!"},
    {"", "SID_INFO_ERROR_FILE", "Open File Error !!", "开启档案错误 !!"},
    {"", "SID_INFO_ERROR_UNIT", "Unit's Type Error !!", "机台型号不符 !!"},
    {"", "SID_INFO_ERROR_VERSION", "Unit's Version Error !!", "硬件版本不符 !!"},
    {"", "SID_INFO_ERROR_DOWNLAOD", "Download File Error !!", "下载档案不符 !!"},
    {"", "SID_INFO_READ_ONLY", "The File Is Read-Only: Nothing Was Saved !!", "档案为只读, 未存储 !!"},
    {"", "SID_FACTORY_DEFAULT", "Are you Sure to Return Factory Default?", "确定要恢复机器出厂设置?"},
};
// clang-format on

std::vector<std::string> BuildLines(std::string_view TLanguageRow::*text) {
  std::vector<std::string> lines;
  lines.reserve(2 * std::size(LanguageRows) + 40);
  lines.emplace_back(FirstLine);
  for (const TLanguageRow& row : LanguageRows) {
    if (!row.Section.empty()) lines.emplace_back(row.Section);
    lines.emplace_back(row.Key);
    lines.emplace_back(row.*text);
  }
  lines.emplace_back();  // the tables end with one empty line
  return lines;
}

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

}  // namespace

const std::vector<std::string>& EnglishLanguageLines() {
  static const std::vector<std::string> lines = BuildLines(&TLanguageRow::English);
  return lines;
}

const std::vector<std::string>& SimplifiedLanguageLines() {
  static const std::vector<std::string> lines = BuildLines(&TLanguageRow::Simplified);
  return lines;
}

std::string LangTextIn(std::span<const std::string> lines, std::string_view key) {
  if (lines.empty()) return {};
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (SameIgnoringCase(lines[i], key)) return lines[i + 1];
  return lines.front();
}

std::string GetLangText(std::string_view language, std::string_view key, std::span<const std::string> english,
                        std::span<const std::string> simplified) {
  return LangTextIn(language == LanguageChineseGB ? simplified : english, key);
}
