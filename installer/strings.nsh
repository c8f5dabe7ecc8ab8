; The setup program's own texts, in each of its languages (MUI gives the rest).

LangString SetAsScreenSaverText ${LANG_ENGLISH} "Make Nuvrel my screen saver"
LangString SetAsScreenSaverText ${LANG_JAPANESE} "Nuvrel をスクリーン セーバーにする"

LangString AdministratorText ${LANG_ENGLISH} "Nuvrel is installed for every user of this computer. Please run Setup as an administrator."
LangString AdministratorText ${LANG_JAPANESE} "Nuvrel はこのコンピューターのすべてのユーザー用にインストールされます。管理者としてセットアップを実行してください。"

LangString OtherAccountText ${LANG_ENGLISH} "Nuvrel has been installed for every user of this computer.$\r$\n$\r$\nSetup ran under another account than the one signed in, so it cannot choose the screen saver for you: choose Nuvrel in the Screen Saver Settings.$\r$\n$\r$\nNuvrel is free software under the MIT licence; the read-me holds its text."
LangString OtherAccountText ${LANG_JAPANESE} "Nuvrel をこのコンピューターのすべてのユーザー用にインストールしました。$\r$\n$\r$\nセットアップはサインイン中のアカウントとは別のアカウントで実行されたため、スクリーン セーバーを設定できません。スクリーン セーバーの設定で Nuvrel を選んでください。$\r$\n$\r$\nNuvrel は MIT ライセンスのフリー ソフトウェアです。ライセンスの全文は説明書にあります。"

LangString FinishText ${LANG_ENGLISH} "Nuvrel has been installed on your computer.$\r$\n$\r$\nNuvrel is free software under the MIT licence; the read-me holds its text."
LangString FinishText ${LANG_JAPANESE} "Nuvrel をコンピューターにインストールしました。$\r$\n$\r$\nNuvrel は MIT ライセンスのフリー ソフトウェアです。ライセンスの全文は説明書にあります。"

LangString FileInUseText ${LANG_ENGLISH} "$HeldFile is in use, so it cannot be replaced or removed.$Holders$\r$\n$\r$\nClose the screen saver, the Screen Saver Settings and Nuvrel's settings window, in every signed-in account, then click Retry."
LangString FileInUseText ${LANG_JAPANESE} "$HeldFile は使用中のため、置き換えも削除もできません。$Holders$\r$\n$\r$\nサインイン中のすべてのアカウントで、スクリーン セーバー、スクリーン セーバーの設定、Nuvrel の設定ウィンドウを閉じてから [再試行] をクリックしてください。"

LangString HoldersText ${LANG_ENGLISH} "In use by:"
LangString HoldersText ${LANG_JAPANESE} "使用中のプログラム:"

LangString OtherFolderText ${LANG_ENGLISH} "Nuvrel is always installed in $PROGRAMFILES\Nuvrel, a folder that only administrators can change. Setup does not install into $INSTDIR."
LangString OtherFolderText ${LANG_JAPANESE} "Nuvrel は常に、管理者だけが変更できる $PROGRAMFILES\Nuvrel にインストールされます。$INSTDIR にはインストールしません。"

LangString SystemAccountText ${LANG_ENGLISH} "Setup runs as SYSTEM: /SCREENSAVER skipped, since SYSTEM's screen saver is no user's. Each user chooses Nuvrel in the Screen Saver Settings."
LangString SystemAccountText ${LANG_JAPANESE} "セットアップは SYSTEM として実行されています。SYSTEM のスクリーン セーバーはどのユーザーのものでもないため、/SCREENSAVER は無視しました。各ユーザーがスクリーン セーバーの設定で Nuvrel を選んでください。"

LangString RestartText ${LANG_ENGLISH} "Nuvrel has been removed. Some of its files are in use and will be deleted when Windows restarts."
LangString RestartText ${LANG_JAPANESE} "Nuvrel を削除しました。使用中のファイルは Windows の再起動時に削除されます。"
