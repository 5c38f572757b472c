// Every sentence of the library: UNLHA_MESSAGE(id, English, Japanese). Both texts have the same
// "%s" placeholders in the same order (Say fills them); "%%" is a percent sign. Output lines of
// entries start with a tag of nine columns ("added    ", "追加     ") so names line up.
// Included by messages.h and messages.cpp only; add a row where its command's rows are.

// The command line and the run.
UNLHA_MESSAGE(UnknownSwitch, "unknown switch -%s in -%s", "スイッチ -%s (-%s の中) はありません")
UNLHA_MESSAGE(EmptyCommandLine, "the command line is empty", "コマンド行が空です")
UNLHA_MESSAGE(UnknownCommand, "unknown command \"%s\" (use a, u, f, d, e, x, l, v, t or s)",
              "コマンド \"%s\" はありません (a, u, f, d, e, x, l, v, t, s のどれかです)")
UNLHA_MESSAGE(NoArchiveNamed, "no archive is named", "書庫が指定されていません")
UNLHA_MESSAGE(NoCommandLine, "no command line was given", "コマンド行が渡されませんでした")
UNLHA_MESSAGE(Busy, "UNLHA32.DLL is busy with another command", "UNLHA32.DLL はほかのコマンドを実行中です")
UNLHA_MESSAGE(NotUnderstood, "The command was not understood: %s", "コマンドを理解できませんでした: %s")
UNLHA_MESSAGE(InternalFailure, "internal failure: %s", "内部エラー: %s")
UNLHA_MESSAGE(OutputCut, "(output cut: %s more lines did not fit)", "(出力を切り詰めました: ほか %s 行は入りませんでした)")
UNLHA_MESSAGE(AndMore, "... and %s more", "…ほか %s 件")
UNLHA_MESSAGE(SystemError, "system error %s", "システムエラー %s")

// The progress window.
UNLHA_MESSAGE(ProgressCaption, "UNLHA32: %s", "UNLHA32: %s")
UNLHA_MESSAGE(CancelButton, "Cancel", "キャンセル")
UNLHA_MESSAGE(TitleAdding, "Adding", "追加中")
UNLHA_MESSAGE(TitleUpdating, "Updating", "更新中")
UNLHA_MESSAGE(TitleFreshening, "Freshening", "差し替え中")
UNLHA_MESSAGE(TitleDeleting, "Deleting", "削除中")
UNLHA_MESSAGE(TitleExtracting, "Extracting", "展開中")
UNLHA_MESSAGE(TitleTesting, "Testing", "検査中")
UNLHA_MESSAGE(TitleMakingSfx, "Making a self-extracting program", "自己展開プログラムを作成中")
UNLHA_MESSAGE(TitleListing, "Listing", "一覧を作成中")

// Opening an archive.
UNLHA_MESSAGE(ArchiveMissing, "the archive %s does not exist", "書庫 %s がありません")
UNLHA_MESSAGE(ArchiveIsFolder, "%s is a folder, not an archive: name the archive file, for example %sARCHIVE.LZH",
              "%s はフォルダで、書庫ではありません。書庫のファイル名まで指定してください (例: %sARCHIVE.LZH)")
UNLHA_MESSAGE(CannotOpenArchive, "cannot open the archive %s: %s", "書庫 %s を開けません: %s")
UNLHA_MESSAGE(NotAnArchive, "%s is no readable archive: %s", "%s は読める書庫ではありません: %s")
UNLHA_MESSAGE(DamagedAfter, "the archive is damaged after entry %s: %s", "書庫は %s 番目の項目の後が壊れています: %s")
UNLHA_MESSAGE(DamagedLeftUnchanged, "%s is damaged after entry %s (%s); it is left unchanged",
              "書庫 %s は %s 番目の項目の後が壊れています (%s)。書庫は変更していません")

// Writing files and folders: what is wrong, then the system's words.
UNLHA_MESSAGE(FolderMissing, "cannot write %s: the folder %s does not exist; create it or correct the path",
              "%s を書けません: フォルダ %s がありません。フォルダを作るか、パスを直してください")
UNLHA_MESSAGE(FolderReadOnly, "cannot write %s: the folder or file is read-only or may not be written (%s)",
              "%s を書けません: フォルダかファイルが読み取り専用か、書き込みが許されていません (%s)")
UNLHA_MESSAGE(DiskFull, "cannot write %s: the disk is full; make room and try again (%s)",
              "%s を書けません: ディスクがいっぱいです。空きを作ってからやり直してください (%s)")
UNLHA_MESSAGE(CannotWrite, "cannot write %s: %s", "%s を書けません: %s")
UNLHA_MESSAGE(CannotRead, "cannot read %s: %s", "%s を読めません: %s")
UNLHA_MESSAGE(CannotCreateFolder, "cannot create the folder %s: %s", "フォルダ %s を作れません: %s")
UNLHA_MESSAGE(FileNotFolder, "%s is a file, not a folder", "%s はファイルで、フォルダではありません")
UNLHA_MESSAGE(FileOrLinkNotFolder, "%s is a file or a link, not a folder", "%s はファイルかリンクで、フォルダではありません")

// l, v and t.
UNLHA_MESSAGE(ListingOf, "Listing of %s", "%s の一覧")
UNLHA_MESSAGE(ListHeader, "   Original     Packed  Ratio Date       Time     Method Name",
              "   元サイズ 圧縮サイズ 圧縮率 日付       時刻     方式   名前")
UNLHA_MESSAGE(ListHeaderVerbose, "   Original     Packed  Ratio Date       Time     Method Attr CRC  Lv OS Name",
              "   元サイズ 圧縮サイズ 圧縮率 日付       時刻     方式   属性 CRC  Lv OS 名前")
UNLHA_MESSAGE(ListOneEntry, "entry", "個のファイル")
UNLHA_MESSAGE(ListEntries, "entries", "個のファイル")
UNLHA_MESSAGE(ListUnicodeName, " [Unicode name]", " [Unicode 名あり]")
UNLHA_MESSAGE(ListComment, "            comment: %s", "            コメント: %s")
UNLHA_MESSAGE(LineFolder, "folder   %s", "フォルダ %s")
UNLHA_MESSAGE(LineOk, "OK       %s", "正常     %s")
UNLHA_MESSAGE(LineDamaged, "damaged  %s: %s", "破損     %s: %s")
UNLHA_MESSAGE(TestCancelled, "cancelled: %s entries were not tested", "中止しました: %s 個の項目は検査していません")
UNLHA_MESSAGE(DataCrc, "its data does not match its CRC: the archive is damaged (%s)",
              "データが CRC と一致しません。書庫が壊れています (%s)")
UNLHA_MESSAGE(DataTruncated, "the archive ends inside its data: the archive is cut short (%s)",
              "データの途中で書庫が終わっています。書庫が途中で切れています (%s)")
UNLHA_MESSAGE(DataCorrupt, "its packed data is damaged (%s)", "圧縮データが壊れています (%s)")
UNLHA_MESSAGE(DataUnsupported, "its method is not supported (%s)", "対応していない圧縮方式です (%s)")
UNLHA_MESSAGE(DataReadFailed, "the archive cannot be read (%s)", "書庫を読めません (%s)")
UNLHA_MESSAGE(TestSummary, "%s tested, %s OK, %s damaged", "検査 %s、正常 %s、破損 %s")

// a, u, f and d.
UNLHA_MESSAGE(LineDeleted, "deleted  %s", "削除     %s")
UNLHA_MESSAGE(NoEntryMatches, "no entry of %s matches %s", "書庫 %s には %s に合う項目がありません")
UNLHA_MESSAGE(SkippedStoredAlike, "skipped  %s (stored as %s like a file before it)",
              "スキップ %s (前のファイルと同じ %s として格納されるため)")
UNLHA_MESSAGE(SkippedArchiveNotOlder, "skipped  %s (the archive's copy is not older)", "スキップ %s (書庫の中のほうが古くありません)")
UNLHA_MESSAGE(InjectedFailure, "failed   (test failure injected by UNLHA32_TEST_FAIL_AFTER)",
              "失敗     (UNLHA32_TEST_FAIL_AFTER によるテスト用の失敗)")
UNLHA_MESSAGE(LineFailed, "failed   %s: %s", "失敗     %s: %s")
UNLHA_MESSAGE(LineFolderReplaced, "folder   %s (replaced)", "フォルダ %s (置き換え)")
UNLHA_MESSAGE(LineAdded, "added    %s (%s -> %s bytes, %s)", "追加     %s (%s -> %s バイト, %s)")
UNLHA_MESSAGE(LineReplacedSizes, "replaced %s (%s -> %s bytes, %s)", "置換     %s (%s -> %s バイト, %s)")
UNLHA_MESSAGE(MemberReadFailed, "it could not be read (%s)", "読み取れませんでした (%s)")
UNLHA_MESSAGE(MemberNameInvalid, "its name cannot be stored in the archive (%s)", "この名前は書庫に格納できません (%s)")
UNLHA_MESSAGE(MemberTooLarge, "it is too large for this header level (%s)", "このヘッダーレベルには大きすぎます (%s)")
UNLHA_MESSAGE(MemberNotCompressed, "it could not be compressed (%s)", "圧縮できませんでした (%s)")
UNLHA_MESSAGE(FolderUnreadable, "the folder cannot be opened, so its files would be missing (%s)",
              "フォルダを開けないため、中のファイルが書庫から漏れてしまいます (%s)")
UNLHA_MESSAGE(NoFileMatches, "no file matches %s in %s", "%s に合うファイルは %s にありません")
UNLHA_MESSAGE(BaseFolderMissing, "no file to add: the folder %s does not exist", "追加するファイルがありません: フォルダ %s がありません")
UNLHA_MESSAGE(NoFilesToAdd, "no file to add: nothing in %s matches %s", "追加するファイルがありません: %s には %s に合うファイルがありません")
UNLHA_MESSAGE(UpToDate, "nothing to change: %s is up to date", "変更なし: 書庫 %s は最新です")
UNLHA_MESSAGE(UpdateCancelled, "cancelled: the archive %s is left as it was", "中止しました: 書庫 %s は元のままです")
UNLHA_MESSAGE(NothingChanged, "nothing was changed: %s is as it was", "何も変更していません: 書庫 %s は元のままです")
UNLHA_MESSAGE(ArchiveReadOnly, "cannot replace the archive %s: it is read-only or open in another program (%s)",
              "書庫 %s を置き換えられません: 読み取り専用か、ほかのプログラムが開いています (%s)")
UNLHA_MESSAGE(CannotDeleteEmpty, "cannot delete the empty archive %s: %s", "空になった書庫 %s を削除できません: %s")
UNLHA_MESSAGE(DeletedEmpty, "the archive had no entries left and was deleted", "書庫に項目が残らなかったので、書庫を削除しました")
UNLHA_MESSAGE(UpdateSummary, "%s added, %s replaced, %s skipped, %s deleted; %s entries in %s",
              "追加 %s、置換 %s、スキップ %s、削除 %s: 書庫のファイル %s 個 (%s)")

// e and x.
UNLHA_MESSAGE(LineRefused, "refused  %s: %s", "拒否     %s: %s")
UNLHA_MESSAGE(LineExtracted, "extracted %s", "展開     %s")
UNLHA_MESSAGE(LineReplaced, "replaced %s", "置換     %s")
UNLHA_MESSAGE(SkippedExists, "skipped  %s (the file exists; -jyo replaces it)", "スキップ %s (ファイルがあります。-jyo で置き換えます)")
UNLHA_MESSAGE(SkippedFileNotOlder, "skipped  %s (the file is not older; -c replaces it)",
              "スキップ %s (ファイルのほうが古くありません。-c で置き換えます)")
UNLHA_MESSAGE(SymbolicLink, "it is a symbolic link; links are neither created nor followed",
              "シンボリックリンクです。リンクは作らず、たどりもしません")
UNLHA_MESSAGE(TooLongForDestination, "the path is too long for the destination; extract into a shorter folder",
              "展開先ではパスが長すぎます。短いパスのフォルダに展開してください")
UNLHA_MESSAGE(MethodUnsupported, "method %s is not supported", "圧縮方式 %s には対応していません")
UNLHA_MESSAGE(ExistingIsLink, "the existing %s is a link", "既存の %s はリンクです")
UNLHA_MESSAGE(FolderOfThatName, "a folder of that name exists", "同じ名前のフォルダがあります")
UNLHA_MESSAGE(ExtractCancelled, "cancelled: %s entries were not extracted; files already there were left as they were",
              "中止しました: %s 個の項目は展開していません。既存のファイルは元のままです")
UNLHA_MESSAGE(ExtractSummary, "%s extracted, %s replaced, %s skipped, %s refused, %s failed; into %s",
              "展開 %s、置換 %s、スキップ %s、拒否 %s、失敗 %s: 展開先 %s")

// Why an entry's path is refused, in plain words.
UNLHA_MESSAGE(RefusedSafe, "safe", "安全です")
UNLHA_MESSAGE(RefusedEmpty, "its name is empty or has an empty part", "名前が空か、空の部分があります")
UNLHA_MESSAGE(RefusedAbsolute, "its path starts at the root of a drive, outside the destination folder",
              "パスがドライブのルートから始まり、展開先の外を指しています")
UNLHA_MESSAGE(RefusedDriveOrStream, "its path holds a drive letter or a stream name (\":\")",
              "パスにドライブ名かストリーム名 (\":\") があります")
UNLHA_MESSAGE(RefusedParentFolder, "a \"..\" part would leave the destination folder",
              "\"..\" で上のフォルダに出て、展開先の外を指しています")
UNLHA_MESSAGE(RefusedDotsOrBlanks, "a part of its name is dots only or ends in a dot or blank, which Windows drops",
              "名前の一部がドットだけか、ドットか空白で終わっています (Windows では消えてしまいます)")
UNLHA_MESSAGE(RefusedDeviceName, "a part of its name is a device name such as CON or NUL",
              "名前の一部が CON や NUL などのデバイス名です")
UNLHA_MESSAGE(RefusedControlCharacter, "its name holds a control character", "名前に制御文字があります")
UNLHA_MESSAGE(RefusedReservedCharacter, "its name holds a character that Windows file names cannot hold",
              "名前に Windows のファイル名に使えない文字があります")
UNLHA_MESSAGE(RefusedHiddenSeparator, "its name hides a folder separator or a broken double-byte character",
              "名前の中に区切り文字か、壊れた2バイト文字が隠れています")
UNLHA_MESSAGE(RefusedTooLong, "its path is too long", "パスが長すぎます")
UNLHA_MESSAGE(RefusedBrokenUnicode, "its Unicode name holds a broken character (a lone surrogate)",
              "Unicode の名前に壊れた文字 (対になっていないサロゲート) があります")
UNLHA_MESSAGE(RefusedFoldersDisagree, "its Unicode name and its code page name disagree about folders",
              "Unicode の名前とコードページの名前でフォルダの区切りが食い違っています")
UNLHA_MESSAGE(RefusedUnsafe, "its path is unsafe", "パスが安全ではありません")

// s.
UNLHA_MESSAGE(NoSfxProgram, "this UNLHA32.DLL holds no self-extracting program (it was built without ZAVOSFX.EXE)",
              "この UNLHA32.DLL には自己展開プログラムが入っていません (ZAVOSFX.EXE なしで作られています)")
UNLHA_MESSAGE(NamedDamagedAfter, "the archive %s is damaged after entry %s: %s", "書庫 %s は %s 番目の項目の後が壊れています: %s")
UNLHA_MESSAGE(SfxCancelled, "cancelled: no self-extracting program was made", "中止しました: 自己展開プログラムは作っていません")
UNLHA_MESSAGE(SfxFromDamaged, "%s has %s damaged entries; no self-extracting program was made",
              "書庫 %s には壊れた項目が %s 個あるため、自己展開プログラムは作っていません")
UNLHA_MESSAGE(SfxCreated, "created  %s (%s files and %s folders behind a %s-byte program)",
              "作成     %s (ファイル %s 個とフォルダ %s 個、プログラム %s バイト)")
UNLHA_MESSAGE(SfxReplaced, "replaced %s (%s files and %s folders behind a %s-byte program)",
              "置換     %s (ファイル %s 個とフォルダ %s 個、プログラム %s バイト)")
